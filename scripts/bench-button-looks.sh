#!/usr/bin/env bash
# Builds and runs the button looks benchmark (picture preparation, bulk
# against per-pixel, and one redraw per style) under Wine inside Xvfb.
# BUILD_ROOT selects the build folder (default: build).
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"
vorn_bench ButtLooksBench bench/button/ButtLooksBench.exe "$@"
