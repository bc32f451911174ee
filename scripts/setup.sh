#!/usr/bin/env bash
# Installs, only when missing, every Debian package the build, the tests and the
# run command need: the i386 architecture, the mingw-w64 cross compiler, clang
# and lld (the second compiler, with the mingw-w64 GCC's headers and
# libraries), Wine (32-bit), Xvfb, GoogleTest sources and the screenshot tools.
set -euo pipefail

packages=(
  cmake ninja-build g++-mingw-w64-i686-posix mingw-w64-i686-dev g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev googletest
  clang lld
  wine wine32:i386 wine64 fonts-wine xvfb xauth x11-apps imagemagick
  x11-utils xdotool python3
)

sudo_if_needed() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  sudo_if_needed dpkg --add-architecture i386
  need_update=1
fi

if [ "${#missing[@]}" -gt 0 ] || [ -n "${need_update:-}" ]; then
  echo "setup: installing ${missing[*]:-(package lists only)}"
  sudo_if_needed apt-get update -q
  if [ "${#missing[@]}" -gt 0 ]; then
    sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get install -y -q \
      --no-install-recommends "${missing[@]}"
  fi
else
  echo "setup: all packages present"
fi
