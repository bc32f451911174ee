#!/usr/bin/env bash
# Builds the registry benchmark and runs it under Wine inside Xvfb, in the
# private Wine prefix of the build folder: export and import of a 2,000-key
# tree with clsRegistryAccess and with regedit, over a few rounds (default
# 3), median times and ratio.
# Usage: scripts/bench-registry.sh [rounds]   (BUILD_ROOT selects the build folder)
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"
vorn_bench RegistryBench bench/registry/RegistryBench.exe "$@"
