#!/bin/sh
# Compares the all-cars sheet import (225 sprites' worth of matching with
# Floyd-Steinberg dithering onto the eleven import colours) with ImageMagick
# doing the same remap on the same sheet. Both are timed as whole runs: the
# program's "import" subcommand reads the PNG, matches it and saves the ROM;
# ImageMagick reads the PNG, remaps it and writes a PNG. bench_exchange only
# draws the sheet and the candidate colours.
#
#   bench/compare_imagemagick.sh [build folder]     (default: build)
set -eu

build=${1:-build}
bench="$build/bench/bench_exchange"
program="$build/app/skm-car-editor"
makerom="$build/tools/makedemorom/makedemorom"
magick=/usr/bin/convert-im6.q16
runs=${RUNS:-5}

[ -x "$bench" ] || { echo "no $bench: build the bench_exchange target first" >&2; exit 1; }
[ -x "$program" ] || { echo "no $program: build the skm-car-editor target first" >&2; exit 1; }
[ -x "$makerom" ] || { echo "no $makerom: build the makedemorom target first" >&2; exit 1; }
[ -x "$magick" ] || { echo "no $magick (package imagemagick-6.q16)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

"$bench" --write-sheet "$work" 2>/dev/null
"$makerom" "$work/game.bin" >/dev/null

now_ms() { date +%s%N | awk '{ printf "%.1f", $1 / 1000000 }'; }

# Best of several runs of each, to keep other load on the machine out of the figures.
best() {
    best_ms=
    i=0
    while [ "$i" -lt "$runs" ]; do
        start=$(now_ms)
        "$@" >/dev/null 2>&1
        end=$(now_ms)
        ms=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.1f", b - a }')
        if [ -z "$best_ms" ] || awk -v a="$ms" -v b="$best_ms" 'BEGIN { exit !(a < b) }'; then
            best_ms=$ms
        fi
        i=$((i + 1))
    done
    echo "$best_ms"
}

# Palette 11 ("Import/Export") is the palette the candidates were drawn from.
ours=$(best "$program" import "$work/game.bin" "$work/sheet.png" --all --dither --palette 11 --output "$work/ours.bin")
theirs=$(best "$magick" "$work/sheet.png" -dither FloydSteinberg -remap "$work/candidates.png" "$work/magick.png")

echo "sheet: 624 x 2160, eleven candidate colours, Floyd-Steinberg dithering; best of $runs runs"
echo "skm-car-editor import, whole run: $ours ms"
echo "ImageMagick remap, whole run:      $theirs ms"
awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "ratio ImageMagick / skm-car-editor: %.2f\n", b / a }'
