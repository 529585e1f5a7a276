#!/usr/bin/env bash
# Builds the editor and starts it.
#   ./run.sh            on the demo ROM (made once in build/)
#   ./run.sh game.bin   on the given ROM file
set -euo pipefail
cd "$(dirname "$0")"

tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --parallel --target skmcareditor

if [ $# -ge 1 ]; then
  exec build/app/skmcareditor "$1"
fi
exec build/app/skmcareditor
