#!/usr/bin/env bash
# Installs what is missing, builds everything, and runs every test through
# CTest under Wine inside Xvfb, in a private Wine prefix inside the build
# folder. Leaves no Wine or Xvfb process behind.
# Usage: scripts/test.sh [ctest arguments...]   (e.g. -R Registry)
# BUILD_ROOT selects another build folder (default: build).
# While iterating on one component: VORN_TARGETS="target ..." builds only
# those targets, and VORN_SKIP_I686=1 skips the 32-bit product build when
# the tests run on x86_64.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_root=${BUILD_ROOT:-$root/build}

"$root/scripts/setup.sh"
. "$root/scripts/wine-env.sh"
arch=$(vorn_test_arch)

# The product is always built for 32-bit Windows; the tests run on the
# architecture this machine's Wine can execute.
read -r -a targets <<< "${VORN_TARGETS:-}"
if [ "$arch" = i686 ]; then
  "$root/scripts/build.sh" i686 "$build_root/i686" "${targets[@]}"
elif [ -z "${VORN_SKIP_I686:-}" ]; then
  # Tests run on x86_64 here: the 32-bit build holds the product alone.
  VORN_CMAKE_ARGS="-DVORN_BUILD_TESTS=OFF -DVORN_BUILD_BENCH=OFF" \
    "$root/scripts/build.sh" i686 "$build_root/i686"
fi
if [ "$arch" != i686 ]; then
  echo "test: this kernel cannot run 32-bit programs; tests run the x86_64 build"
  "$root/scripts/build.sh" "$arch" "$build_root/$arch" "${targets[@]}"
fi
build_dir=$build_root/$arch
vorn_wine_prefix "$build_dir" "$arch"

launch_log=$build_dir/wine-launch-retries.log
rm -f "$launch_log"
rc=0
# One Xvfb and one persistent wineserver for the whole run: CTest would
# otherwise wait on a short-lived server for every test.
vorn_wine_session 1024x768x24 bash -c 'cd "$1" && shift && ctest --output-on-failure "$@"' \
  vorn-tests "$build_dir" "$@" || rc=$?
if [ -s "$launch_log" ]; then
  echo "test: Wine failed to start a test process $(wc -l <"$launch_log") time(s); each was tried again:"
  cat "$launch_log"
fi
exit $rc
