#!/usr/bin/env bash
# CTest's launcher for a GoogleTest executable under Wine:
#   wine-test-launch.sh <wine> <test.exe> [arguments...]
# Now and then Wine fails to start a process at all: it ends at once, before
# the program prints its first line. Such a start, and only such a start, is
# tried again (three attempts in all) and noted in $VORN_LAUNCH_LOG. A
# program that started is reported exactly as it ran.
set -u
out=$(mktemp)
trap 'rm -f "$out"' EXIT
for attempt in 1 2 3; do
  started_at=$(date +%s%N)
  "$@" 2>&1 | tee "$out"
  rc=${PIPESTATUS[0]}
  elapsed_ms=$(( ($(date +%s%N) - started_at) / 1000000 ))
  # GoogleTest's main prints this line before anything else.
  if [ "$rc" -eq 0 ] || grep -q '^Running main() from' "$out" || [ "$elapsed_ms" -ge 2000 ]; then
    exit "$rc"
  fi
  note="wine-test-launch: attempt $attempt of '$*' ended with exit code $rc after $elapsed_ms ms without starting"
  echo "$note" >&2
  if [ -n "${VORN_LAUNCH_LOG:-}" ]; then echo "$note" >>"$VORN_LAUNCH_LOG"; fi
  sleep 0.2
done
exit "$rc"
