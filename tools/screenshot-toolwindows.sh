#!/usr/bin/env bash
# Screenshots of the window and its sprite overview as a new user sees them:
# Xvfb at 1280 x 1024 under a plain window manager (openbox), the demo ROM,
# at scale 1 and QT_SCALE_FACTOR=2.
#   tools/screenshot-toolwindows.sh [BUILD_DIR] [OUT_DIR]
# Needs xvfb, openbox, xdotool and imagemagick (import). Writes
# OUT_DIR/overview-1x.png and OUT_DIR/overview-2x.png.
set -euo pipefail
build=${1:-build}
out=${2:-docs/round}
display=:${SKM_SCREENSHOT_DISPLAY:-57}
mkdir -p "$out"
[ -f "$build/demo.bin" ] || "$build/tools/makedemorom/makedemorom" "$build/demo.bin"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
sleep 1
DISPLAY=$display openbox &
wm=$!
trap 'kill "$wm" "$xvfb" 2>/dev/null || true' EXIT
sleep 1
settings=$(mktemp -d)
for scale in 1 2; do
  DISPLAY=$display XDG_CONFIG_HOME=$settings XDG_DATA_HOME=$settings QT_SCALE_FACTOR=$scale \
    LANG=${SKM_SCREENSHOT_LANG:-C.UTF-8} "$build/app/skm-car-editor" "$build/demo.bin" &
  editor=$!
  sleep 4
  DISPLAY=$display import -window root "$out/overview-${scale}x.png"
  kill "$editor"
  wait "$editor" 2>/dev/null || true
done
rm -rf "$settings"
