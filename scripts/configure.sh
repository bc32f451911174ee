#!/usr/bin/env bash
# Configures a build folder for Windows with mingw-w64, once: a folder that
# already holds a configuration is left as it is (the build reconfigures it
# by itself when a CMake file changes).
# Usage: scripts/configure.sh <arch: i686|x86_64> <build-dir>
# VORN_CMAKE_ARGS adds options to the first configure of a build folder;
# VORN_COMPILER=clang configures it for clang instead of GCC.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
arch=$1 build_dir=$2
toolchain=$root/cmake/toolchain-$arch-w64-mingw32.cmake
case ${VORN_COMPILER:-gcc} in
  gcc) ;;
  clang) toolchain=$root/cmake/toolchain-$arch-w64-mingw32-clang.cmake ;;
  *) echo "configure: VORN_COMPILER must be gcc or clang" >&2; exit 1 ;;
esac
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  # Configure messages and errors stay visible; a failed configure leaves no
  # cache, so the next run configures again.
  if ! cmake -S "$root" -B "$build_dir" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
      -DCMAKE_BUILD_TYPE=Release ${VORN_CMAKE_ARGS:-}; then
    rm -f "$build_dir/CMakeCache.txt"
    echo "configure: configuring $build_dir for $arch (${VORN_COMPILER:-gcc}) failed" >&2
    exit 1
  fi
fi
