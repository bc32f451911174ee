#!/usr/bin/env bash
# Builds and runs the button behaviour benchmark (RedrawButton and a hover
# cycle against a native push button) under Wine inside Xvfb.
# BUILD_ROOT selects the build folder (default: build).
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"
vorn_bench ButtBehaviourBench bench/button/ButtBehaviourBench.exe "$@"
