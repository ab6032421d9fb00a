#!/usr/bin/env bash
# The program with the demo camera under a real X server: within 3 s of the
# start the camera view shows the page (not the empty grey), and a second
# later the picture has changed (the pointer moves).
# Usage: live_program_test.sh <program folder> <screen_probe>
set -euo pipefail
source_folder=$1
probe=$2
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT

source "$(dirname "$0")/../support/program_under_xvfb.sh"
copy_program_folder "$source_folder"

start_xvfb

fail() {
  echo "FAIL: $*"
  echo "--- program output:"; cat "$work/program.log" 2>/dev/null || true
  exit 1
}

"$work/program/Vexmar_Orvilo" --demo-camera > "$work/program.log" 2>&1 &
program=$!
started=$(date +%s%N)
window=$(wait_for_window $program '^WRM-5\.0$') || fail "no window"
eval "$(xdotool getwindowgeometry --shell "$window")"
# The middle of the content area, below the bars and clear of the palette.
x=$((X + 200)); y=$((Y + 200)); w=600; h=500

# 3 s after the start.
sleep "$(awk -v ns="$(( $(date +%s%N) - started ))" 'BEGIN { s = 3 - ns / 1e9; print (s > 0 ? s : 0) }')"
"$probe" grab $x $y $w $h "$work/a.png" || fail "cannot grab the screen"
sleep 1
"$probe" grab $x $y $w $h "$work/b.png" || fail "cannot grab the screen"
read -r _ changed _ grey < <("$probe" compare "$work/a.png" "$work/b.png")
echo "after 3 s: ${grey}% of the view grey; one second later ${changed} pixels changed"
[ "$grey" -lt 10 ] || fail "the camera view is still empty 3 s after the start"
[ "$changed" -gt 200 ] || fail "the picture did not change within a second"
kill -0 $program 2>/dev/null || fail "the program ended"
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key --clearmodifiers Escape
for _ in $(seq 100); do kill -0 $program 2>/dev/null || break; sleep 0.1; done
kill -0 $program 2>/dev/null && fail "Escape did not end the program"
echo "PASS"
