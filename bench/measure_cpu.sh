#!/usr/bin/env bash
# CPU use of the running editor under Xvfb: 20 s idle with the default 60 ms
# timer, then 20 s with auto-rotate, auto-tilt and auto-wheels on and the speed
# slider dragged to its fast end (20 ms). Percent of one core, from utime +
# stime in /proc/<pid>/stat. The controls are found by their accessible names
# (AT-SPI, through a11y-session) and clicked with xdotool; afterwards the script
# reads back what is ticked and the slider's value and refuses to give a figure
# for the animation when they are not all on at 20 ms.
#
#   bench/measure_cpu.sh [build folder] [rom] [runs]   (defaults: build, a demo ROM, 1)
#   SKM_A11Y_SESSION (default /work/shared/tools/a11y-session) starts the accessibility bus.
#   SKM_PERF_OUT=file.data records a 10 s call-graph profile (perf record -g) of the
#   animated editor before the animated figure is taken (perf report -i file.data);
#   SKM_PERF_FREQ sets its sampling rate (default 999 Hz), SKM_PERF_CALLGRAPH its
#   call-graph option (default -g; "--call-graph dwarf" for a build without frame pointers).
#   SKM_STRACE_OUT=file counts the animated editor's system calls over 10 s (strace -c).
set -euo pipefail
if [ -z "${SKM_A11Y_INNER:-}" ]; then
  exec "${SKM_A11Y_SESSION:-/work/shared/tools/a11y-session}" "$0" "$@"
fi
build=${1:-build}
work=$(mktemp -d)
rom=${2:-$work/demo.bin}
runs=${3:-1}
[ -f "$rom" ] || "$build/tools/makedemorom/makedemorom" "$rom" > /dev/null

# The editor's controls by accessible name: "find NAME" prints the centre and
# right end of the control (for the slider the handle, not the centre); "state" prints what the animation controls show.
cat > "$work/controls.py" <<'PY'
import sys
import pyatspi

def walk(acc):
    yield acc
    for i in range(acc.childCount):
        child = acc.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)

def controls(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.get_process_id() == pid:
            yield from walk(app)

pid, what = int(sys.argv[1]), sys.argv[2]
found = {}
for acc in controls(pid):
    role = acc.getRoleName()
    if role == "check box" and acc.name in ("auto-rotate", "auto-tilt", "auto-wheels"):
        found[acc.name] = acc
    elif role == "slider" and "speed" in (acc.name + " " + acc.description).lower():
        found["speed"] = acc   # not the reference picture's opacity slider
if what == "find":
    acc = found[sys.argv[3]]
    e = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    x = e.x + e.width // 2
    if sys.argv[3] == "speed":
        # The handle: the slider runs from its maximum on the left to its minimum on the right.
        v = acc.queryValue()
        span = v.maximumValue - v.minimumValue
        x = e.x + 6 + int((e.width - 12) * (v.maximumValue - v.currentValue) / span)
    print(x, e.y + e.height // 2, e.x + e.width - 2)
else:
    ticked = [n for n in ("auto-rotate", "auto-tilt", "auto-wheels")
              if n in found and found[n].getState().contains(pyatspi.STATE_CHECKED)]
    speed = int(found["speed"].queryValue().currentValue) if "speed" in found else -1
    print(" ".join(ticked) if ticked else "nothing", speed)
PY

display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1280x1024x24 > /dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
sleep 1
app=
trap 'kill $app $xvfb 2>/dev/null; rm -rf "$work"' EXIT

cpu() {   # percent of one core used by the editor over $1 seconds
  local tck a b c d t0 t1
  tck=$(getconf CLK_TCK)
  read -r a b < <(awk '{print $14, $15}' /proc/$app/stat)
  t0=$(date +%s.%N); sleep "$1"; t1=$(date +%s.%N)
  read -r c d < <(awk '{print $14, $15}' /proc/$app/stat)
  echo "$(echo "scale=2; 100 * (($c + $d) - ($a + $b)) / $tck / ($t1 - $t0)" | bc) % (user $(echo "scale=2; 100 * ($c - $a) / $tck / ($t1 - $t0)" | bc), system $(echo "scale=2; 100 * ($d - $b) / $tck / ($t1 - $t0)" | bc))"
}

for run in $(seq "$runs"); do
  "$build/app/skm-car-editor" "$rom" > "$work/app.log" 2>&1 &
  app=$!
  sleep 3
  echo "run $run, load $(cut -d' ' -f1-3 /proc/loadavg)"
  echo "  idle, 60 ms timer: $(cpu 20)"
  for box in auto-rotate auto-tilt auto-wheels; do
    read -r x y _ < <(/usr/bin/python3 "$work/controls.py" "$app" find "$box")
    xdotool mousemove "$x" "$y" click 1; sleep 0.3
  done
  # The fast end is on the right (the slider's appearance is inverted).
  read -r x y right < <(/usr/bin/python3 "$work/controls.py" "$app" find speed)
  xdotool mousemove "$x" "$y" mousedown 1; sleep 0.2
  for step in 1 2 3 4 5; do xdotool mousemove $((x + (right + 20 - x) * step / 5)) "$y"; sleep 0.1; done
  xdotool mouseup 1; sleep 1
  read -r state < <(/usr/bin/python3 "$work/controls.py" "$app" state)
  # A drag that fell short (a busy machine drops motion events): the keyboard
  # takes the focused slider to its ends, whichever is the fast one.
  for key in Home End; do
    [ "${state##* }" = 20 ] && break
    xdotool key "$key"; sleep 0.5
    read -r state < <(/usr/bin/python3 "$work/controls.py" "$app" state)
  done
  echo "  ticked and speed: $state"
  if [ "$state" != "auto-rotate auto-tilt auto-wheels 20" ]; then
    echo "  not all three animations at 20 ms: no figure" >&2
    exit 1
  fi
  if [ -n "${SKM_STRACE_OUT:-}" ]; then
    timeout 10 strace -f -c -p "$app" -o "$SKM_STRACE_OUT" > /dev/null 2>&1 || true
  fi
  if [ -n "${SKM_PERF_OUT:-}" ]; then
    perf record -F ${SKM_PERF_FREQ:-999} ${SKM_PERF_CALLGRAPH:--g} -p "$app" -o "$SKM_PERF_OUT" -- sleep 10 > /dev/null 2>&1 || echo "  perf record failed" >&2
  fi
  echo "  auto-rotate, auto-tilt, auto-wheels at 20 ms: $(cpu 20)"
  kill "$app"; wait "$app" 2>/dev/null || true
  app=
done
