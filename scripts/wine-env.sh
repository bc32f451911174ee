# Sourced by the scripts. Picks the Windows architecture the tests run on,
# and creates the private Wine prefix of a build folder once.
#
# The product is 32-bit (i686). Running it needs 32-bit Wine, which needs a
# kernel that runs 32-bit programs; where the kernel refuses them (IA-32
# emulation disabled), the tests and the run command use the same sources
# built for x86_64 under 64-bit Wine instead.

vorn_test_arch() {
  if [ -n "${VORN_ARCH:-}" ]; then echo "$VORN_ARCH"; return; fi
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then echo i686; else echo x86_64; fi
}

# vorn_wine_env <build-dir> <arch>
vorn_wine_env() {
  local build_dir=$1 arch=$2
  mkdir -p "$build_dir"
  export WINEPREFIX="$(cd "$build_dir" && pwd)/wineprefix"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  if [ "$arch" = i686 ]; then
    export WINEARCH=win32
    VORN_WINE=/usr/lib/wine/wine
  else
    export WINEARCH=win64
    VORN_WINE=/usr/lib/wine/wine64
    export WINELOADER=$VORN_WINE
  fi
  export VORN_WINE
}

# vorn_wine_prefix <build-dir> <arch>
vorn_wine_prefix() {
  vorn_wine_env "$@"
  if [ -f "$WINEPREFIX/.vorn-ready" ]; then
    return 0
  fi
  echo "wine: creating prefix $WINEPREFIX ($WINEARCH)"
  rm -rf "$WINEPREFIX"
  "$VORN_WINE" wineboot -i >/dev/null 2>&1 || true
  wineserver -w || true
  # Without a window manager, Wine waits ~2 s on every top-level hide unless
  # it manages the windows itself.
  "$VORN_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  wineserver -w || true
  touch "$WINEPREFIX/.vorn-ready"
}

# vorn_wine_session <screen WxHxD> <command> [args...]
# Runs one command inside one Xvfb with a persistent wineserver and Wine's
# background services started first (detached from the command's output, so
# nothing waits on them), and leaves no Wine or Xvfb process behind.
# Returns the command's exit code.
vorn_wine_session() {
  local screen=$1 rc=0
  shift
  xvfb-run -a -s "-screen 0 $screen -nolisten tcp" bash -c '
    wineserver -p >/dev/null 2>&1
    "$VORN_WINE" wineboot >/dev/null 2>&1 </dev/null
    "$@"
    rc=$?
    wineserver -k >/dev/null 2>&1
    exit $rc
  ' vorn-session "$@" || rc=$?
  wineserver -k >/dev/null 2>&1 || true
  return $rc
}

# vorn_bench <target> <exe path relative to the build folder> [args...]
# Installs what is missing, builds one benchmark for the architecture this
# machine's Wine runs, and runs it in a Wine session.
vorn_bench() {
  local root target=$1 exe=$2
  shift 2
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  local build_root=${BUILD_ROOT:-$root/build}
  "$root/scripts/setup.sh"
  local arch
  arch=$(vorn_test_arch)
  local build_dir=$build_root/$arch
  "$root/scripts/build.sh" "$arch" "$build_dir" $target
  vorn_wine_prefix "$build_dir" "$arch"
  vorn_wine_session 1024x768x24 bash -c 'cd "$(dirname "$1")" && "$VORN_WINE" "$@"' \
    vorn-bench "$build_dir/$exe" "$@"
}
