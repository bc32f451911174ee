#!/usr/bin/env bash
# Builds the Butt gallery and renders it under Xvfb to PNG files in the
# build folder: the plain gallery, one with a button hovered and another
# held down, and the form in edit mode.
# BUILD_ROOT selects the build folder (default: build).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_root=${BUILD_ROOT:-$root/build}

"$root/scripts/setup.sh"
. "$root/scripts/wine-env.sh"
arch=$(vorn_test_arch)
build_dir=$build_root/$arch
"$root/scripts/build.sh" "$arch" "$build_dir" ButtGallery
vorn_wine_prefix "$build_dir" "$arch"
out=$build_dir/gallery
mkdir -p "$out"
exe=$build_dir/examples/gallery/ButtGallery.exe
win_out=$(cd "$out" && pwd)

rc=0
vorn_wine_session 1280x1024x24 bash -c '
  exe=$1 out=$2
  "$VORN_WINE" "$exe" --shot "Z:$out/gallery.bmp"
  "$VORN_WINE" "$exe" --hover HoverMe --press PressMe --shot "Z:$out/gallery-active.bmp"
  "$VORN_WINE" "$exe" --edit --shot "Z:$out/gallery-edit.bmp"
' vorn-gallery "$exe" "$win_out" || rc=$?
for name in gallery gallery-active gallery-edit; do
  if [ -f "$out/$name.bmp" ]; then
    convert "$out/$name.bmp" "$out/$name.png" && rm -f "$out/$name.bmp"
    echo "gallery: $out/$name.png"
  else
    echo "gallery: $name was not rendered" >&2
    rc=1
  fi
done
exit $rc
