#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the front ends need, when any is missing.
set -eu
packages=(
  build-essential cmake ninja-build pkg-config
  googletest libgtest-dev libgmock-dev
  libmspack-dev mscompress
  libfltk1.3-dev xvfb xauth fonts-dejavu-core fonts-liberation xdotool openbox
  clang clang-format libclang-rt-dev
  tmux ccache
  gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 imagemagick
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
