#!/bin/sh
# How close the colour matching comes to the picture: the program's import
# (perceptual and classic matching, each with and without dithering) beside
# ImageMagick's -remap (-dither None and FloydSteinberg) and pngquant --map
# (--nofs and its default Floyd-Steinberg), all onto the same candidate
# colours: the background grey and entries 1-5 and 11-15 of ROM palettes 0, 4
# and 9 (--palette 1, 5 and 10), the colours an import may give a pixel.
#
# Pictures (all opaque, on the background grey): ImageMagick's rose: and
# wizard:, each as a 48 x 48 sprite and as a 624 x 432 car sheet; a smooth
# gradient car sheet; a car sheet of saturated primaries and skin tones; the
# demo ROM's all-cars sheet with its hues turned by 108 degrees. The program's
# result is its export of what the import stored.
#
# For each it prints the mean and the 95th percentile of the CIEDE2000
# difference between the source and the result over the pixels an import reads
# (bench/picture_difference.cpp: every pixel of a sprite, the named cells of a
# sheet), the mean difference after both are blurred a little (sigma 1.5
# pixels in linear light: the colour seen from further away, which dithering
# aims at), and the best of RUNS whole runs (default 3) of the matching command
# in milliseconds: the import (read, match, save the ROM), the convert or the
# pngquant run (read, remap, write a PNG). Then the means over all pictures
# and palettes, a method a line.
#
#   bench/compare-matching.sh [build folder]     (default: build)
set -eu

build=${1:-build}
program="$build/app/skm-car-editor"
makerom="$build/tools/makedemorom/makedemorom"
difference="$build/bench/picture_difference"
magick=/usr/bin/convert-im6.q16
pngquant=/usr/bin/pngquant
runs=${RUNS:-3}
background='#DADADA'

[ -x "$program" ] || { echo "no $program: build the skm-car-editor target first" >&2; exit 1; }
[ -x "$makerom" ] || { echo "no $makerom: build the makedemorom target first" >&2; exit 1; }
[ -x "$difference" ] || { echo "no $difference: build the picture_difference target first" >&2; exit 1; }
[ -x "$magick" ] || { echo "no $magick (package imagemagick-6.q16)" >&2; exit 1; }
[ -x "$pngquant" ] || { echo "no $pngquant (package pngquant)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset DISPLAY WAYLAND_DISPLAY
export QT_QPA_PLATFORM=offscreen

"$makerom" "$work/game.bin" >/dev/null
"$program" export "$work/game.bin" "$work/factory.png" --all

# The pictures, flattened on the background.
flat() { "$magick" "$@" +repage -background "$background" -flatten -alpha off -depth 8 "PNG24:$out"; }
out="$work/rose-sprite.png";   flat rose: -resize 48x48^ -gravity center -extent 48x48
out="$work/rose-sheet.png";    flat rose: -resize 624x432!
out="$work/wizard-sprite.png"; flat wizard: -resize 48x48^ -gravity center -extent 48x48
out="$work/wizard-sheet.png";  flat wizard: -resize 624x432^ -gravity center -extent 624x432
out="$work/gradient-sheet.png"
flat -size 624x432 xc: -sparse-color Bilinear '0,0 #0030A0 623,0 #E02020 0,431 #F0F0F0 623,431 #202020'
# Primaries, secondaries, orange and five skin tones, one 48 x 48 patch each,
# cycling over the sheet's 13 x 9 cells.
set -- '#FF0000' '#00C800' '#0000C8' '#00FFFF' '#FF00FF' '#FFFF00' '#F52B34' '#FF8000' \
       '#8D5524' '#C68642' '#E0AC69' '#F1C27D' '#FFDBAC'
rows=
for r in 0 1 2 3 4 5 6 7 8; do
    cells=
    for c in 0 1 2 3 4 5 6 7 8 9 10 11 12; do
        n=$(( (r * 13 + c + r) % 13 + 1 ))
        eval "cells=\"\$cells xc:\${$n}\""
    done
    # shellcheck disable=SC2086
    "$magick" -size 48x48 $cells +append "$work/row$r.png"
    rows="$rows $work/row$r.png"
done
out="$work/primaries-sheet.png"
# shellcheck disable=SC2086
flat $rows -append
out="$work/cars-hue.png";      flat "$work/factory.png" -modulate 100,100,160

pictures="rose-sprite rose-sheet wizard-sprite wizard-sheet gradient-sheet primaries-sheet cars-hue"
methods="perceptual perceptual+dither classic classic+dither magick magick+dither pngquant pngquant+dither"

now_ms() { date +%s%N | awk '{ printf "%.1f", $1 / 1000000 }'; }
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

results="$work/results.txt"
: >"$results"
printf '%-16s %-7s %-17s %7s %7s %7s %9s\n' picture palette method mean p95 blurred ms
for palette in 1 5 10; do
    # The candidates as an 11 x 1 picture: the background, then entries 1-5 and 11-15.
    colours=$("$program" info "$work/game.bin" | awk -v p="$palette" -v bg="$background" '
        $1 == "Palette" && $2 == p { sub(/.*: /, ""); split($0, c, " ");
            printf "xc:%s", bg; for (i = 2; i <= 16; ++i) if (i <= 6 || i >= 12) printf " xc:%s", c[i] }')
    # shellcheck disable=SC2086
    "$magick" -size 1x1 $colours +append "PNG24:$work/candidates.png"
    for picture in $pictures; do
        source="$work/$picture.png"
        case $picture in
            *-sprite) scope="--car 1 --sprite 1" ;;
            *-sheet) scope="--car 1" ;;
            *) scope="--all" ;;
        esac
        for method in $methods; do
            result="$work/result.png"
            rm -f "$result"
            case $method in
                perceptual*|classic*)
                    options="--palette $palette --matching ${method%%+*}"
                    case $method in *+dither) options="$options --dither" ;; esac
                    # shellcheck disable=SC2086
                    ms=$(best "$program" import "$work/game.bin" "$source" $scope $options --output "$work/out.bin")
                    # shellcheck disable=SC2086
                    "$program" export "$work/out.bin" "$result" $scope --palette "$palette"
                    ;;
                magick*)
                    dither=None
                    case $method in *+dither) dither=FloydSteinberg ;; esac
                    ms=$(best "$magick" "$source" -dither "$dither" -remap "$work/candidates.png" "PNG24:$result")
                    ;;
                pngquant*)
                    nofs=--nofs
                    case $method in *+dither) nofs= ;; esac
                    # shellcheck disable=SC2086
                    ms=$(best "$pngquant" --map "$work/candidates.png" $nofs --force --output "$result" "$source")
                    ;;
            esac
            # shellcheck disable=SC2046
            set -- $("$difference" "$source" "$result" "$background")
            printf '%-16s %-7s %-17s %7s %7s %7s %9s\n' "$picture" "$((palette - 1))" "$method" "$1" "$2" "$3" "$ms"
            echo "$picture $palette $method $1 $2 $3 $ms" >>"$results"
        done
    done
done

echo
echo "means over the 7 pictures and 3 palettes (time: sum over the 21 runs)"
printf '%-17s %7s %7s %7s %9s\n' method mean p95 blurred ms
for method in $methods; do
    awk -v m="$method" '$3 == m { n++; mean += $4; p95 += $5; blurred += $6; ms += $7 }
        END { printf "%-17s %7.2f %7.2f %7.2f %9.1f\n", m, mean / n, p95 / n, blurred / n, ms }' "$results"
done
