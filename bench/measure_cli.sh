#!/bin/sh
# Times the command line as whole processes, as a build script runs it:
#   skm-car-editor export ROM cars.png --all                  (target < 300 ms)
#   skm-car-editor import ROM cars.png --all --dither --output out.bin
# side by side with ImageMagick remapping the same sheet onto the same import
# colours with Floyd-Steinberg dithering (read the PNG, remap, write a file).
# The ROM is the demo ROM (tools/makedemorom); the sheet is its all-cars export.
#
#   bench/measure_cli.sh [build folder]     (default: build; RUNS=n, default 10)
set -eu

build=${1:-build}
program="$build/app/skm-car-editor"
makerom="$build/tools/makedemorom/makedemorom"
magick=/usr/bin/convert-im6.q16
runs=${RUNS:-10}

[ -x "$program" ] || { echo "no $program: build the skm-car-editor target first" >&2; exit 1; }
[ -x "$makerom" ] || { echo "no $makerom: build the makedemorom target first" >&2; exit 1; }
[ -x "$magick" ] || { echo "no $magick (package imagemagick-6.q16)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The subcommands need no display; make sure none is used.
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

"$makerom" "$work/game.bin" >/dev/null
"$program" export "$work/game.bin" "$work/cars.png" --all

# The colours an import may give a pixel: the background (for entry 0), then
# entries 1-5 and 11-15 of the palette in use (the first, "Blue"), as an 11 x 1 picture.
colors=$("$program" info "$work/game.bin" | awk '/^Palette  1 / {
    sub(/.*: /, ""); split($0, c, " ");
    printf "xc:#DADADA"; for (i = 2; i <= 16; ++i) if (i <= 6 || i >= 12) printf " xc:%s", c[i] }')
# shellcheck disable=SC2086
"$magick" -size 1x1 $colors +append "$work/candidates.png"

now_ms() { date +%s%N | awk '{ printf "%.1f", $1 / 1000000 }'; }

# Best of several runs, to keep other load on the machine out of the figures.
best() {
    best_ms=
    i=0
    while [ "$i" -lt "$runs" ]; do
        start=$(now_ms)
        "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
        end=$(now_ms)
        ms=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.1f", b - a }')
        if [ -z "$best_ms" ] || awk -v a="$ms" -v b="$best_ms" 'BEGIN { exit !(a < b) }'; then
            best_ms=$ms
        fi
        i=$((i + 1))
    done
    echo "$best_ms"
}

export_ms=$(best "$program" export "$work/game.bin" "$work/cars.png" --all)
import_ms=$(best "$program" import "$work/game.bin" "$work/cars.png" --all --dither --output "$work/out.bin")
magick_ms=$(best "$magick" "$work/cars.png" -dither FloydSteinberg -remap "$work/candidates.png" "$work/out.png")

echo "all-cars sheet 624 x 2160 from the demo ROM; whole processes, best of $runs runs"
echo "export ROM cars.png --all:                         $export_ms ms (target < 300 ms)"
echo "import ROM cars.png --all --dither --output:       $import_ms ms"
echo "convert cars.png -dither FloydSteinberg -remap:    $magick_ms ms"
awk -v a="$import_ms" -v b="$magick_ms" 'BEGIN { printf "ratio ImageMagick / import: %.2f\n", b / a }'
