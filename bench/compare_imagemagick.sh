#!/bin/sh
# Compares the all-cars sheet import (225 sprites' worth of matching with
# Floyd-Steinberg dithering onto the eleven import colours) with ImageMagick
# doing the same remap on the same sheet. Both are timed as whole runs: read
# the PNG, remap, write a PNG.
#
#   bench/compare_imagemagick.sh [build folder]     (default: build)
set -eu

build=${1:-build}
bench="$build/bench/bench_exchange"
magick=/usr/bin/convert-im6.q16
runs=${RUNS:-5}

[ -x "$bench" ] || { echo "no $bench: build the bench_exchange target first" >&2; exit 1; }
[ -x "$magick" ] || { echo "no $magick (package imagemagick-6.q16)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

"$bench" --write-sheet "$work" 2>/dev/null

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

ours=$(best "$bench" --import-once "$work/sheet.png" "$work/ours.png")
inner=$("$bench" --import-once "$work/sheet.png" "$work/ours.png" 2>/dev/null)
theirs=$(best "$magick" "$work/sheet.png" -dither FloydSteinberg -remap "$work/candidates.png" "$work/magick.png")

echo "sheet: 624 x 2160, eleven candidate colours, Floyd-Steinberg dithering; best of $runs runs"
echo "editor import, whole run:      $ours ms ($inner inside the process)"
echo "ImageMagick remap, whole run:  $theirs ms"
awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "ratio ImageMagick / editor: %.2f\n", b / a }'
