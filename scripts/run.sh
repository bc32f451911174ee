#!/usr/bin/env bash
# Installs what is missing, builds the tool and starts it under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_root=${BUILD_ROOT:-$root/build}
"$root/scripts/setup.sh"
. "$root/scripts/wine-env.sh"
arch=$(vorn_test_arch)
if [ "$arch" = i686 ]; then
  "$root/scripts/build.sh" i686 "$build_root/i686" VORN
else
  # The 32-bit product is built too; the tool runs from the x86_64 build.
  VORN_CMAKE_ARGS="-DVORN_BUILD_TESTS=OFF -DVORN_BUILD_BENCH=OFF" \
    "$root/scripts/build.sh" i686 "$build_root/i686"
  "$root/scripts/build.sh" "$arch" "$build_root/$arch" VORN
fi
if [ ! -f "$build_root/$arch/app/VORN.exe" ]; then
  echo "run: the build ended without $build_root/$arch/app/VORN.exe; nothing to start" >&2
  exit 1
fi
exec "$root/scripts/run-tool.sh" "$build_root/$arch" "$arch"
