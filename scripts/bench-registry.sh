#!/usr/bin/env bash
# Builds the registry benchmark and runs it under Wine inside Xvfb, in the
# private Wine prefix of the build folder: export and import of a key tree
# with clsRegistryAccess (ExportToReg/ImportFromReg, ExportRegFile/
# ImportRegFile) and with regedit, over a few rounds (default 3), median
# times and ratios, one table per tree size (default 2,000 keys; sizes are
# rounded up to whole branches of 50 keys).
# Usage: scripts/bench-registry.sh [keys[,keys...]] [rounds]
#   e.g. scripts/bench-registry.sh 2000,20000 3   (BUILD_ROOT selects the build folder)
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"
vorn_bench RegistryBench bench/registry/RegistryBench.exe "$@"
