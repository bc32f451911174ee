#!/usr/bin/env bash
# Starts VORN.exe of a build folder under Wine, in the folder's private Wine
# prefix, against a demo game installation that it creates there when none
# exists (C:\Games\VORN with the "Full" post-process set, and the game's
# registry value PATH_APPLICATION).
#
# With a usable display the window appears and the script waits until the
# tool ends. Without one, the tool runs inside Xvfb: the script waits for
# the window, saves a screenshot <build-dir>/vorn-screenshot.png, prints
# where it is, and ends the tool.
#
# VORN_DPI=<dots per inch> (e.g. 144 or 192) runs the tool at that screen
# DPI: the prefix's HKCU\Control Panel\Desktop value LogPixels sets it for
# the new process, and is put back when the tool ends. The screenshot is
# then <build-dir>/vorn-screenshot-<dpi>dpi.png.
#
# Usage: scripts/run-tool.sh <build-dir> <arch: i686|x86_64>
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$(cd "$1" && pwd)
arch=$2
exe=$build_dir/app/VORN.exe
[ -f "$exe" ] || { echo "run-tool: $exe does not exist; build it first" >&2; exit 1; }

. "$root/scripts/wine-env.sh"
vorn_wine_prefix "$build_dir" "$arch"

# --- demo game installation -----------------------------------------------
game_dir=$WINEPREFIX/drive_c/Games/VORN
if [ ! -d "$game_dir/postprocess" ]; then
  echo "run-tool: creating the demo game installation C:\\Games\\VORN"
  mkdir -p "$game_dir/postprocess"
  cp "$root"/app/resources/postprocess/full/*.xml "$game_dir/postprocess/"
fi
# The value as the running program sees it: a 32-bit program in a 64-bit
# prefix reads the 32-bit view (Wow6432Node).
reg_view=()
if [ "$arch" = i686 ] && [ "$WINEARCH" = win64 ]; then reg_view=(/reg:32); fi
"$VORN_WINE" reg add 'HKLM\SOFTWARE\Olverant\VORN' /v PATH_APPLICATION /d 'C:\Games\VORN' /f "${reg_view[@]}" \
  >/dev/null 2>&1
# --- screen DPI -------------------------------------------------------------
dpi=${VORN_DPI:-}
dpi_key='HKCU\Control Panel\Desktop'
if [ -n "$dpi" ]; then
  case $dpi in *[!0-9]*|'') echo "run-tool: VORN_DPI must be a number of dots per inch" >&2; exit 1 ;; esac
  # The value this prefix had, to put back (none: Wine's default of 96).
  old_dpi=$("$VORN_WINE" reg query "$dpi_key" /v LogPixels 2>/dev/null | tr -d '\r' |
    awk '$1 == "LogPixels" { print $3 }' || true)
  restore_dpi() {
    if [ -n "$old_dpi" ]; then
      "$VORN_WINE" reg add "$dpi_key" /v LogPixels /t REG_DWORD /d "$((old_dpi))" /f >/dev/null 2>&1 || true
    else
      "$VORN_WINE" reg delete "$dpi_key" /v LogPixels /f >/dev/null 2>&1 || true
    fi
    wineserver -w >/dev/null 2>&1 || true
  }
  trap restore_dpi EXIT
  "$VORN_WINE" reg add "$dpi_key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
fi
# The registry is written by the wineserver; let it finish before a session
# with another display starts.
wineserver -w >/dev/null 2>&1 || true

display_usable() {
  [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1
}

if display_usable; then
  echo "run-tool: starting $exe on display $DISPLAY"
  cd "$build_dir/app"
  "$VORN_WINE" "$exe"
  exit 0
fi

# --- no display: run inside Xvfb and take a screenshot -------------------
shot=$build_dir/vorn-screenshot${dpi:+-${dpi}dpi}.png
rm -f "$shot"
echo "run-tool: no display; running the tool inside Xvfb"
xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" bash -c '
  exe=$1 shot=$2
  cd "$(dirname "$exe")"
  "$VORN_WINE" "$exe" >/dev/null 2>&1 &
  # Wait for the window, then for the end of its fade-in.
  found=
  for _ in $(seq 1 150); do
    if xwininfo -root -tree 2>/dev/null | grep -q "VORN - Glarecut"; then found=1; break; fi
    sleep 0.2
  done
  if [ -z "$found" ]; then
    echo "run-tool: the window did not appear" >&2
    wineserver -k >/dev/null 2>&1
    exit 1
  fi
  sleep 2
  xwd -root -silent | convert xwd:- "$shot"
  wineserver -k >/dev/null 2>&1
' run-tool "$exe" "$shot"
echo "run-tool: screenshot saved to $shot"
