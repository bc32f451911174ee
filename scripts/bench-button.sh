#!/usr/bin/env bash
# Builds and runs the button behaviour benchmark (RedrawButton and a hover
# cycle against a native push button) under Wine inside Xvfb.
# BUILD_ROOT selects the build folder (default: build).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_root=${BUILD_ROOT:-$root/build}

"$root/scripts/setup.sh"
. "$root/scripts/wine-env.sh"
arch=$(vorn_test_arch)
build_dir=$build_root/$arch
"$root/scripts/build.sh" "$arch" "$build_dir" ButtBehaviourBench
vorn_wine_prefix "$build_dir" "$arch"

set +e
xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" bash -c '
  wineserver -p >/dev/null 2>&1
  "$VORN_WINE" wineboot >/dev/null 2>&1 </dev/null
  "$VORN_WINE" "$1"
  rc=$?
  wineserver -k >/dev/null 2>&1
  exit $rc
' vorn-bench "$build_dir/bench/button/ButtBehaviourBench.exe"
rc=$?
set -e
wineserver -k >/dev/null 2>&1 || true
exit $rc
