#!/usr/bin/env bash
# Screenshots for the user guide of the views shown with the sprite (onion
# skin, reference picture, hardware tiles, palette comparison) and of Edit
# Colour's console colour picker, in an English and a German window: Xvfb at
# 1280 x 1024 under openbox, the demo ROM, each option switched on in a
# fresh settings file.
#   tools/screenshot-views.sh [BUILD_DIR] [OUT_DIR] [GUIDE_DIR]
# Needs xvfb, openbox, xdotool and imagemagick. Writes OUT_DIR/view-*.png and
# OUT_DIR/console-picker*.png (the whole screen) and GUIDE_DIR/*.png (the
# windows, trimmed, 256 colours).
set -euo pipefail
build=${1:-build}
out=${2:-docs/round}
guide=${3:-resources/guide}
display=:${SKM_SCREENSHOT_DISPLAY:-59}
mkdir -p "$out" "$guide"
[ -f "$build/demo.bin" ] || "$build/tools/makedemorom/makedemorom" "$build/demo.bin"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
sleep 1
DISPLAY=$display openbox &
wm=$!
trap 'kill "$wm" "$xvfb" 2>/dev/null || true' EXIT
sleep 1
work=$(mktemp -d)
rom=$(realpath "$build/demo.bin")
# A sketch to draw by: a car's outline on a warm gradient.
convert -size 288x288 gradient:'#ffc060-#6090ff' -fill none -stroke '#702000' -strokewidth 10 \
  -draw "roundrectangle 64,30 224,262 40,40" -draw "line 64,110 224,110" -draw "line 64,200 224,200" \
  -blur 0x2 "$work/sketch.png"

shot() {   # name, language, settings lines, keys to press after the start
  local name=$1 language=$2 settings=$3 keys=$4
  local home="$work/$name-$language"
  mkdir -p "$home/skm-car-editor"
  printf '[General]\nview/spriteOverview=false\n%s\n' "$settings" > "$home/skm-car-editor/skm-car-editor.conf"
  local lang=C.UTF-8
  [ "$language" = de ] && lang=de_DE.UTF-8
  DISPLAY=$display XDG_CONFIG_HOME=$home XDG_DATA_HOME=$home LANG=$lang LC_ALL=$lang LANGUAGE=$language \
    "$build/app/skm-car-editor" "$rom" &
  local editor=$!
  sleep 4
  for key in $keys; do
    DISPLAY=$display xdotool key --clearmodifiers "$key"
    sleep 0.7
  done
  sleep 1
  local screen="$out/view-$name-$language.png"
  if [ "$name" = console-picker ]; then
    screen="$out/console-picker.png"
    [ "$language" = de ] && screen="$out/console-picker-de.png"
  fi
  DISPLAY=$display import -window root "$screen"
  # The guide's picture: the dialog on top for the picker, else every window.
  if [ "$name" = console-picker ]; then
    DISPLAY=$display import -window "$(DISPLAY=$display xdotool getactivewindow)" "$work/window.png"
  elif [ "$name" = compare-palettes ]; then
    # The tool window alone, moved to where the whole of it is on the screen.
    local tool
    tool=$(DISPLAY=$display xdotool search --name '^Palett' | head -1)
    DISPLAY=$display xdotool windowactivate --sync "$tool" windowmove --sync "$tool" 0 0 windowsize --sync "$tool" 778 352
    sleep 2
    DISPLAY=$display import -window root "$work/screen.png"
    eval "$(DISPLAY=$display xdotool getwindowgeometry --shell "$tool")"
    convert "$work/screen.png" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$work/window.png"
  else
    convert "$screen" -trim +repage "$work/window.png"
  fi
  convert "$work/window.png" +dither -colors 256 "PNG8:$guide/$name-$language.png"
  kill "$editor"
  wait "$editor" 2>/dev/null || true
}

# The remembered picture of car 1, as the settings file keeps it (JSON in a quoted string).
reference=$(python3 -c 'import json, sys
book = {sys.argv[1]: {"car1": {"file": sys.argv[2], "x": 0, "y": 0, "scale": 48 / 288, "opacity": 45, "over": False}}}
text = json.dumps(book).replace("\\", "\\\\").replace("\"", "\\\"")
print("view/referencePictures=\"" + text + "\"")' "$rom" "$work/sketch.png")
for language in en de; do
  shot onion-skin $language 'view/onionSkin=true' 'ctrl+plus ctrl+plus'
  shot reference-picture $language "$reference" 'ctrl+plus ctrl+plus'
  shot hardware-tiles $language 'view/hardwareTiles=true' 'ctrl+plus ctrl+plus'
  shot compare-palettes $language 'view/comparePalettes=true' ''
  edit='alt+p e'
  [ $language = de ] && edit='alt+p b'   # Palette > Farbe &bearbeiten...
  shot console-picker $language '' "$edit"
done
rm -rf "$work"
