#!/usr/bin/env bash
# Builds VORN.exe and its benchmark and prints the figures: time from
# process start to the window at full opacity against a bare window started
# the same way, and the writing of a set by APPLY against plain file writes.
# Runs under Wine inside Xvfb in the build folder's private prefix, and
# leaves no Wine or Xvfb process behind.
# Usage: scripts/bench-app.sh [start-up runs] [write runs]
# BUILD_ROOT selects another build folder (default: build).
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"
vorn_bench "VORN VornAppBench" bench/app/VornAppBench.exe "$@"
