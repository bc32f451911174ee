#!/usr/bin/env bash
# Builds and runs the large-form benchmark (n = 100 and 1,000 Butt buttons
# parsed from form text and shown, against as many native buttons on one
# window) under Wine inside Xvfb.
# Usage: scripts/bench-forms.sh [rounds]
# BUILD_ROOT selects the build folder (default: build).
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"
vorn_bench ButtFormBench bench/button/ButtFormBench.exe "$@"
