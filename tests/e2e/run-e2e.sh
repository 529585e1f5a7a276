#!/usr/bin/env bash
# run-e2e.sh EDITOR SPRITECHECK CLOSEWINDOW MAKEDEMOROM WORKDIR
# Drives the real editor under Xvfb: opens the demo ROM, presses Ctrl+W (quick
# export), checks "sprite.bmp" against the core's composition of car 1 sprite 1
# in palette "Blue", closes the window, answers the exit question with Discard
# and checks that the ROM file is untouched and the program exits with 0.
# CLOSEWINDOW or MAKEDEMOROM may be empty (no X11 headers, no tools built).
# Exits 77 (skipped) when Xvfb, xdotool or the window closer is missing.
set -uo pipefail
editor=$1 spritecheck=$2 closewindow=$3 makedemorom=$4 work=$5

skip() { echo "SKIP: $*"; exit 77; }
command -v Xvfb >/dev/null || skip "Xvfb is not installed (apt-get install xvfb)"
command -v xdotool >/dev/null || skip "xdotool is not installed (apt-get install xdotool)"
[ -n "$closewindow" ] || skip "e2e_closewindow was not built (X11 headers missing: apt-get install libx11-dev)"

fail() { echo "FAIL: $*"; exit 1; }

rm -rf "$work" && mkdir -p "$work" && cd "$work" || fail "cannot make $work"
# Settings and recovery files of this run only: an earlier run killed with
# unsaved changes must not bring up the recovery question here.
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"

xvfb_pid= editor_pid=
cleanup() {
  [ -n "$editor_pid" ] && kill "$editor_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT

# The ROM: the demo image, or a small one of our own without the tools.
if [ -n "$makedemorom" ]; then
  "$makedemorom" demo.bin >/dev/null || fail "makedemorom failed"
else
  "$spritecheck" --make-rom demo.bin || fail "cannot make a test ROM"
fi
cp demo.bin demo.orig
inode=$(stat -c %i demo.bin)

# A private X server on a free display number.
exec 3>display.txt
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >xvfb.log 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do [ -s display.txt ] && break; sleep 0.1; done
[ -s display.txt ] || fail "Xvfb did not start: $(cat xvfb.log)"
export DISPLAY=":$(head -n1 display.txt)"
echo "Xvfb on $DISPLAY"

QT_QPA_PLATFORM=xcb "$editor" demo.bin >editor.log 2>&1 &
editor_pid=$!

window=$(timeout 60 xdotool search --sync --onlyvisible --name "^demo\.bin - SKM \[SMD\] Car Editor" | head -n1)
[ -n "$window" ] || fail "the editor window did not appear: $(cat editor.log)"
echo "editor window $window"

# The sprite overview opens beside the window; the key goes to the main window
# once it has the focus (a few tries: without a window manager, focus moves late).
for _ in 1 2 3; do
  xdotool windowfocus --sync "$window"
  sleep 0.5
  xdotool key ctrl+w
  for _ in $(seq 30); do [ -s sprite.bmp ] && break; sleep 0.1; done
  [ -s sprite.bmp ] && break
done
[ -s sprite.bmp ] || fail "Ctrl+W wrote no sprite.bmp"
sleep 0.2
if command -v convert-im6.q16 >/dev/null && command -v xwd >/dev/null; then
  xwd -root -silent | convert-im6.q16 xwd:- png:screenshot.png && echo "screenshot: $work/screenshot.png"
fi
"$spritecheck" demo.bin sprite.bmp || fail "sprite.bmp differs from the composed sprite"

# An edit, so that there is something to lose: the next car, and the sprite
# just exported imported into it (Ctrl+Q).
xdotool key Up
sleep 0.2
xdotool key ctrl+q
sleep 0.3

# Close as a window manager would; the exit question comes up (a window that
# was not there before: the sprite overview is).
shown=$(xdotool search --onlyvisible --pid "$editor_pid" 2>/dev/null)
"$closewindow" "$window" || fail "cannot send the close request"
question=
for _ in $(seq 100); do
  question=$(xdotool search --onlyvisible --pid "$editor_pid" 2>/dev/null | grep -vxF "$shown" | head -n1)
  [ -n "$question" ] && break
  sleep 0.1
done
[ -n "$question" ] || fail "no exit question appeared"
echo "exit question window $question: $(xdotool getwindowname "$question")"
xwd -root -silent 2>/dev/null | convert-im6.q16 xwd:- png:question.png 2>/dev/null

# Save, Discard, Cancel with Cancel focused: one step back is Discard.
xdotool windowfocus --sync "$question"
sleep 0.3
xdotool key shift+Tab
sleep 0.2
xdotool key space

status=
for _ in $(seq 200); do
  if ! kill -0 "$editor_pid" 2>/dev/null; then
    wait "$editor_pid"; status=$?
    break
  fi
  sleep 0.1
done
[ -n "$status" ] || fail "the editor did not exit after Discard"
editor_pid=
[ "$status" -eq 0 ] || fail "the editor exited with $status: $(cat editor.log)"
cmp -s demo.bin demo.orig || fail "the ROM changed although the changes were discarded"
[ "$(stat -c %i demo.bin)" = "$inode" ] || fail "the ROM file was replaced although the changes were discarded"
echo "PASS: quick export matches, Discard left the ROM untouched, exit code 0"
