#!/usr/bin/env bash
# Builds VORN.exe and its benchmark and prints the figures: time from
# process start to the window at full opacity, and the writing of a set by
# APPLY against plain file writes. Runs under Wine inside Xvfb in the build
# folder's private prefix, and leaves no Wine or Xvfb process behind.
# Usage: scripts/bench-app.sh [start-up runs] [write runs]
# BUILD_ROOT selects another build folder (default: build).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_root=${BUILD_ROOT:-$root/build}

"$root/scripts/setup.sh"
. "$root/scripts/wine-env.sh"
arch=$(vorn_test_arch)
build_dir=$build_root/$arch
"$root/scripts/build.sh" "$arch" "$build_dir" VORN VornAppBench
vorn_wine_prefix "$build_dir" "$arch"

set +e
xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" bash -c '
  wineserver -p >/dev/null 2>&1
  "$VORN_WINE" wineboot >/dev/null 2>&1 </dev/null
  cd "$1/bench/app"; shift
  "$VORN_WINE" ./VornAppBench.exe "$@"
  rc=$?
  wineserver -k >/dev/null 2>&1
  exit $rc
' vorn-bench "$build_dir" "$@"
rc=$?
set -e
wineserver -k >/dev/null 2>&1 || true
exit $rc
