#!/usr/bin/env bash
# Configures (once, see scripts/configure.sh) and builds the project for
# Windows with mingw-w64.
# Usage: scripts/build.sh <arch: i686|x86_64> <build-dir> [cmake target...]
# VORN_CMAKE_ARGS adds options to the first configure of a build folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
arch=$1 build_dir=$2
shift 2
"$root/scripts/configure.sh" "$arch" "$build_dir"
if [ $# -gt 0 ]; then
  cmake --build "$build_dir" --target "$@"
else
  cmake --build "$build_dir"
fi
