#!/usr/bin/env bash
# Builds the editor and starts it.
#   ./run.sh            on the demo ROM (made once in build/)
#   ./run.sh game.bin   on the given ROM file
set -euo pipefail
cd "$(dirname "$0")"

tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --parallel --target skm-car-editor makedemorom

if [ $# -ge 1 ]; then
  exec build/app/skm-car-editor "$1"
fi
# The demo ROM holds the factory cars in an otherwise empty cartridge image;
# it is made once, so edits saved into it are kept between runs.
if [ ! -f build/demo.bin ]; then
  build/tools/makedemorom/makedemorom build/demo.bin
fi
exec build/app/skm-car-editor build/demo.bin
