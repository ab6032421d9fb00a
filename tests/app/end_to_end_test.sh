#!/usr/bin/env bash
# The program under a real X server: it opens its window 1038 wide, a second
# start ends at once without a window, and Escape ends the program with the
# settings written.
# Usage: end_to_end_test.sh <program folder>
set -euo pipefail
source_folder=$1
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT

source "$(dirname "$0")/../support/program_under_xvfb.sh"
copy_program_folder "$source_folder"

# Values the shutdown must rewrite: ROTATE 5 is one quarter turn, lower-case
# true is off, and index 6 of a model-8 camera reads back as 4.
printf '[QEL-3]\r\nROTATE=5\r\nFULLSCREEN=true\r\nRESOLUTION=6\r\n' > "$work/program/QEL-3.ini"

start_xvfb

fail() {
  echo "FAIL: $*"
  echo "--- program output:"; cat "$work/first.log" 2>/dev/null || true
  echo "--- X server ($DISPLAY):"; cat "$work/xvfb.log" 2>/dev/null || true
  exit 1
}

"$work/program/Vexmar_Orvilo" --demo-camera > "$work/first.log" 2>&1 &
first=$!

window=$(wait_for_window $first '^WRM-5\.0$') || fail "no window named WRM-5.0 appeared"
geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p')
echo "window $window geometry $geometry"
[ "${geometry%x*}" = 1038 ] || fail "window width is ${geometry%x*}, not 1038"
[ "${geometry#*x}" = 861 ] || fail "window height is ${geometry#*x}, not 861"

# A second start ends at once, successfully, without a window of its own.
start=$(date +%s%N)
timeout 10 "$work/program/Vexmar_Orvilo" --demo-camera > "$work/second.log" 2>&1 || fail "second start exited with $?"
elapsed_ms=$(( ($(date +%s%N) - start) / 1000000 ))
echo "second start ended after ${elapsed_ms} ms"
count=$(xdotool search --onlyvisible --name '^WRM-5\.0$' | wc -l)
[ "$count" = 1 ] || fail "$count windows after the second start"
kill -0 $first 2>/dev/null || fail "the first copy ended"

# Escape ends the program; the settings are written on the way out.
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key --clearmodifiers Escape
for _ in $(seq 100); do kill -0 $first 2>/dev/null || break; sleep 0.1; done
kill -0 $first 2>/dev/null && fail "Escape did not end the program"
wait $first || fail "the program exited with $?"

settings=$(tr -d '\r' < "$work/program/QEL-3.ini")
echo "$settings"
grep -qx 'ROTATE=1' <<< "$settings" || fail "ROTATE not written as 1"
grep -qx 'FULLSCREEN=FALSE' <<< "$settings" || fail "FULLSCREEN not written as FALSE"
grep -qx 'RESOLUTION=4' <<< "$settings" || fail "RESOLUTION not written as 4"
for folder in Image Video STRQelOutput; do [ -d "$work/program/$folder" ] || fail "folder $folder missing"; done

# Starts the program with the settings of the first run and waits for its window.
start_again() {
  printf '[QEL-3]\r\nROTATE=5\r\nFULLSCREEN=true\r\nRESOLUTION=6\r\n' > "$work/program/QEL-3.ini"
  "$work/program/Vexmar_Orvilo" --demo-camera > "$work/first.log" 2>&1 &
  first=$!
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name '^WRM-5\.0$' > /dev/null 2>&1 && return 0
    kill -0 $first 2>/dev/null || fail "the program ended before showing its window"
    sleep 0.1
  done
  fail "no window after a new start"
}

# A logout, shutdown or Ctrl-C ends the program as Escape does: status 0
# within 2 s, settings written.
for signal in TERM INT HUP; do
  start_again
  kill -$signal $first
  start=$(date +%s%N)
  status=0
  for _ in $(seq 40); do kill -0 $first 2>/dev/null || break; sleep 0.05; done
  wait $first || status=$?
  elapsed_ms=$(( ($(date +%s%N) - start) / 1000000 ))
  echo "SIG$signal: exit $status after ${elapsed_ms} ms"
  [ "$status" = 0 ] || fail "SIG$signal: exit status $status"
  [ "$elapsed_ms" -lt 2000 ] || fail "SIG$signal: took ${elapsed_ms} ms"
  grep -qx 'ROTATE=1' <<< "$(tr -d '\r' < "$work/program/QEL-3.ini")" || fail "SIG$signal: settings not written"
done

# A second signal while the first is handled ends the program at once.
start_again
kill -TERM $first; kill -INT $first
status=0
wait $first || status=$?
echo "two signals: exit $status"
[ "$status" -ge 128 ] || fail "two signals: exit status $status, expected the signal's"
echo "PASS"
