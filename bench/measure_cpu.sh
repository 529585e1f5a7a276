#!/usr/bin/env bash
# CPU use of the running editor under Xvfb: 20 s idle with the default 60 ms
# timer, then 20 s with auto-rotate, auto-tilt and auto-wheels on and the speed
# slider dragged to its fast end (20 ms). Percent of one core, from utime +
# stime in /proc/<pid>/stat. The clicks assume the default style and fonts.
#
#   bench/measure_cpu.sh [build folder] [rom]      (defaults: build, a demo ROM)
set -euo pipefail
build=${1:-build}
work=$(mktemp -d)
rom=${2:-$work/demo.bin}
[ -f "$rom" ] || "$build/tools/makedemorom/makedemorom" "$rom" > /dev/null

display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1280x1024x24 > /dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
"$build/app/skm-car-editor" "$rom" > "$work/app.log" 2>&1 &
app=$!
trap 'kill $app $xvfb 2>/dev/null; rm -rf "$work"' EXIT
sleep 3

cpu() {   # percent of one core used by the editor over $1 seconds
  local tck a b c d t0 t1
  tck=$(getconf CLK_TCK)
  read -r a b < <(awk '{print $14, $15}' /proc/$app/stat)
  t0=$(date +%s.%N); sleep "$1"; t1=$(date +%s.%N)
  read -r c d < <(awk '{print $14, $15}' /proc/$app/stat)
  echo "scale=2; 100 * (($c + $d) - ($a + $b)) / $tck / ($t1 - $t0)" | bc
}

echo "idle, 60 ms timer: $(cpu 20) %"
# Below the menu bar.
xdotool mousemove 173 100 click 1; sleep 0.3    # auto-rotate
xdotool mousemove 173 155 click 1; sleep 0.3    # auto-tilt
xdotool mousemove 173 190 click 1; sleep 0.3    # auto-wheels
xdotool mousemove 238 213 mousedown 1; sleep 0.2
for x in 245 252 260 270 290; do xdotool mousemove $x 213; sleep 0.1; done
xdotool mouseup 1; sleep 1
echo "auto-rotate, auto-tilt, auto-wheels at 20 ms: $(cpu 20) %"
