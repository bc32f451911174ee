#!/usr/bin/env bash
# Configures and builds the project for Windows with mingw-w64.
# Usage: scripts/build.sh <arch: i686|x86_64> <build-dir> [cmake target...]
# VORN_CMAKE_ARGS adds options to the first configure of a build folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
arch=$1 build_dir=$2
shift 2
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build_dir" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch-w64-mingw32.cmake" \
    -DCMAKE_BUILD_TYPE=Release ${VORN_CMAKE_ARGS:-} >/dev/null
fi
if [ $# -gt 0 ]; then
  cmake --build "$build_dir" --target "$@"
else
  cmake --build "$build_dir"
fi
