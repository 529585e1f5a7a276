#!/usr/bin/env bash
# Installs what building, running and testing the editor need on Debian
# (bookworm): compiler, CMake, Qt 6 (its translation tools and its own
# translations, its extra picture formats, WebP for
# the tests), giflib and libwebp, Google Benchmark, Xvfb, the desktop
# validators, the Debian packaging tools (dpkg-dev, lintian), strace (the
# tests inject write faults with it) and an emulator for the play-test's smoke
# test (blastem), python3-pyatspi (bench/measure_cpu.sh reads the controls back),
# the 68000 assembler and linker for the demo cartridge's program
# (binutils-m68k-linux-gnu), the emulator its test runs it in (mame),
# MinGW-w64 and wine (the system layer's Windows half is built and tested under wine), and
# pngquant, which bench/compare-matching.sh compares the colour matching with.
# Does nothing when everything is already there.
set -euo pipefail

packages=(build-essential cmake ninja-build qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-l10n-tools
          qt6-translations-l10n libgl-dev
          libgif-dev libwebp-dev qt6-image-formats-plugins
          libbenchmark-dev xvfb xdotool x11-apps imagemagick
          clang libclang-rt-14-dev desktop-file-utils appstream shared-mime-info
          dpkg-dev lintian man-db strace blastem python3-pyatspi
          binutils-m68k-linux-gnu mame pngquant
          mingw-w64 g++-mingw-w64-x86-64-posix wine wine64)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
