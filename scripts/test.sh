#!/usr/bin/env bash
# Installs what is missing, builds everything, and runs every test through
# CTest under Wine inside Xvfb, in a private Wine prefix inside the build
# folder. Leaves no Wine or Xvfb process behind. Prints the time of each
# phase, and ends with one line naming the build the tests ran on.
# Usage: scripts/test.sh [ctest arguments...]   (e.g. -R Registry)
# BUILD_ROOT selects another build folder (default: build).
# VORN_TEST_JOBS sets how many tests run at once (default 2; tests that use
# the shared screen, cursor, keyboard or focus never overlap).
# The product (libraries, VORN and the gallery) is also built with clang,
# warnings as errors, in build/i686-clang; the tests run on the GCC build.
# While iterating on one component: VORN_TARGETS="target ..." builds only
# those targets (and skips the clang build, as VORN_SKIP_CLANG=1 does), and
# VORN_SKIP_I686=1 skips the 32-bit product build when the tests run on
# x86_64.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_root=${BUILD_ROOT:-$root/build}

run_started=$SECONDS
phase_started=$SECONDS
phases=()
end_phase() {
  phases+=("$1 $((SECONDS - phase_started)) s")
  phase_started=$SECONDS
}
report_times() {
  local IFS=,
  echo "test: times:${phases[*]/#/ }; total $((SECONDS - run_started)) s"
}
# The last line: which build the tests ran on, and whether they passed.
finish() {
  local rc=$1 verdict=$2
  report_times
  echo "test: $verdict"
  exit "$rc"
}

"$root/scripts/setup.sh"
. "$root/scripts/wine-env.sh"
arch=$(vorn_test_arch)
end_phase setup

# The product is always built for 32-bit Windows; the tests run on the
# architecture this machine's Wine can execute.
read -r -a targets <<< "${VORN_TARGETS:-}"
build_dir=$build_root/$arch
product_only=
if [ "$arch" != i686 ]; then
  if [ -n "${VORN_ARCH:-}" ]; then
    why_not_i686="VORN_ARCH=$VORN_ARCH chose the x86_64 build"
  else
    why_not_i686="this kernel cannot run 32-bit programs"
  fi
  echo "test: $why_not_i686; the tests run the x86_64 build"
  # The 32-bit build then holds the product alone.
  if [ -z "${VORN_SKIP_I686:-}" ]; then product_only=$build_root/i686; fi
fi

if [ -n "$product_only" ]; then
  VORN_CMAKE_ARGS="-DVORN_BUILD_TESTS=OFF -DVORN_BUILD_BENCH=OFF" \
    "$root/scripts/configure.sh" i686 "$product_only" || finish 1 "FAILED: configuring the i686 build failed; no test ran"
fi
"$root/scripts/configure.sh" "$arch" "$build_dir" || finish 1 "FAILED: configuring the $arch build failed; no test ran"
end_phase configure

if [ -n "$product_only" ]; then
  "$root/scripts/build.sh" i686 "$product_only" || finish 1 "FAILED: building the i686 product failed; no test ran"
fi
"$root/scripts/build.sh" "$arch" "$build_dir" "${targets[@]}" || finish 1 "FAILED: building the $arch build failed; no test ran"
end_phase build

if [ -z "${VORN_TARGETS:-}" ] && [ -z "${VORN_SKIP_CLANG:-}" ]; then
  VORN_COMPILER=clang VORN_CMAKE_ARGS="-DVORN_BUILD_TESTS=OFF -DVORN_BUILD_BENCH=OFF -DCMAKE_COMPILE_WARNING_AS_ERROR=ON" \
    "$root/scripts/build.sh" i686 "$build_root/i686-clang" ||
    finish 1 "FAILED: building the i686 product with clang failed; no test ran"
  end_phase "clang build"
fi

vorn_wine_prefix "$build_dir" "$arch"
end_phase "wine prefix"

launch_log=$build_dir/wine-launch-retries.log
ctest_log=$build_dir/ctest-output.log
rm -f "$launch_log" "$ctest_log"
rc=0
# The tests labelled "build" (the second build of VORN that checks it is
# reproducible) run first, outside the Wine session: a build inside the
# session left that session's Wine processes many times slower for the rest
# of the run.
build_tests=$(cd "$build_dir" && ctest -N -L '^build$' "$@" | sed -n 's/^Total Tests: //p')
if [ "${build_tests:-0}" -gt 0 ]; then
  (cd "$build_dir" && ctest --output-on-failure -L '^build$' "$@") || { rc=1; build_failed=1; }
  end_phase "build tests"
fi
# No tests found is an error, unless the build tests were all there was.
no_tests=error
if [ "${build_tests:-0}" -gt 0 ]; then no_tests=ignore; fi
export no_tests
# One Xvfb and one persistent wineserver for the whole run: CTest would
# otherwise wait on a short-lived server for every test. No tests found is
# an error, not a pass.
vorn_wine_session 1024x768x24 bash -c '
  cd "$1" && log=$2 && shift 2
  ctest --output-on-failure --no-tests=$no_tests -j "${VORN_TEST_JOBS:-2}" -LE "^build\$" "$@" 2>&1 | tee "$log"
  exit "${PIPESTATUS[0]}"' vorn-tests "$build_dir" "$ctest_log" "$@" || rc=$?
end_phase tests
if [ -s "$launch_log" ]; then
  echo "test: Wine failed to start a test process $(wc -l <"$launch_log") time(s); each was tried again:"
  cat "$launch_log"
fi

summary=$(grep -E 'tests passed, [0-9]+ tests? failed out of' "$ctest_log" 2>/dev/null | tail -n 1 || true)
skipped=$(grep -c '(Skipped)' "$ctest_log" 2>/dev/null || true)
summary=${summary:-no test summary (see above)}
skipped=${skipped:-0}
if [ "$skipped" -gt 0 ]; then summary="$summary, $skipped of them skipped (listed above)"; fi
if [ -n "${build_failed:-}" ]; then summary="the build tests (reproducibility) FAILED (see above); the others: $summary"; fi
scope=
if [ $# -gt 0 ]; then scope=" (only the tests chosen by: $*)"; fi
if [ -n "${VORN_TARGETS:-}" ]; then scope="$scope (only these targets were built: $VORN_TARGETS)"; fi

if [ "$arch" = i686 ]; then
  build_line="on the i686 build (the shipped 32-bit program, under 32-bit Wine)"
  not_run=
else
  build_line="(the x86_64 build, under 64-bit Wine)"
  if [ -n "$product_only" ]; then
    not_run=" The shipped i686 build was built but NOT run: $why_not_i686."
  else
    not_run=" The shipped i686 build was neither built nor run (VORN_SKIP_I686)."
  fi
fi
if [ "$rc" -eq 0 ]; then
  if [ "$arch" = i686 ]; then verdict="PASSED"; else verdict="PASSED ON x86_64 ONLY"; fi
else
  verdict="FAILED"
fi
finish "$rc" "$verdict $build_line: $summary$scope.$not_run"
