#!/usr/bin/env bash
# Camera hot-plug through the real program under Xvfb, with the demo camera
# plugged in and out by its plug file (ORVILO_DEMO_CAMERA_PLUG_FILE):
#  1. started without a camera, the program shows "Searching for Camera"
#     and no main window, and keeps searching;
#  2. the camera plugged in: the page goes, the main window comes with the
#     live picture, which changes;
#  3. pulled out while running: the picture freezes under "Camera
#     disconnected"; plugged in again: it is live again by itself;
#  4. Escape ends that run with status 0; a second start without a camera
#     ends with status 0 when the search page's close button is clicked.
# Usage: hotplug_program_test.sh <program folder> <screen_probe> [folder for the page's screenshot]
set -euo pipefail
source_folder=$1
probe=$2
shots=${3:-}
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT

source "$(dirname "$0")/../support/program_under_xvfb.sh"
copy_program_folder "$source_folder"
export ORVILO_DEMO_CAMERA_PLUG_FILE="$work/camera-plugged"
rm -f "$ORVILO_DEMO_CAMERA_PLUG_FILE"

start_xvfb

fail() {
  echo "FAIL: $*"
  echo "--- program output:"; cat "$work/program.log" 2>/dev/null || true
  exit 1
}

visible() { xdotool search --onlyvisible --name "$1" > /dev/null 2>&1; }
grab() { "$probe" grab "$@" || fail "cannot grab the screen"; }
changed_between() { "$probe" compare "$1" "$2" | awk '{ print $2 }'; }

# Grabs the view every half second until two grabs in a row are equal
# (`equal`) or differ (`differ`); fails after 10 s.
wait_for_view() {
  local want=$1 i=0 changed
  grab $vx $vy $vw $vh "$work/v0.png"
  for i in $(seq 20); do
    sleep 0.5
    grab $vx $vy $vw $vh "$work/v1.png"
    changed=$(changed_between "$work/v0.png" "$work/v1.png")
    if [ "$want" = equal ] && [ "$changed" -eq 0 ]; then return 0; fi
    if [ "$want" = differ ] && [ "$changed" -gt 200 ]; then return 0; fi
    mv "$work/v1.png" "$work/v0.png"
  done
  fail "the live picture did not become $want within 10 s (last change: $changed pixels)"
}

# --- 1. no camera: the search page, and nothing else --------------------
"$work/program/Vexmar_Orvilo" --demo-camera > "$work/program.log" 2>&1 &
program=$!
page=$(wait_for_window $program '^Searching for Camera$') || fail "no search page"
eval "$(xdotool getwindowgeometry --shell "$page")"
px=$X; py=$Y; pw=$WIDTH; ph=$HEIGHT
echo "search page ${pw}x${ph} at $px,$py"
[ "$pw" = 280 ] && [ "$ph" = 110 ] || fail "the search page is ${pw}x${ph}, not 280x110"
sleep 2.5  # longer than a recheck: still searching
kill -0 $program 2>/dev/null || fail "the program ended while searching"
visible '^WRM-5\.0$' && fail "a main window shows without a camera"
grab $px $py $pw $ph "$work/page.png"
[ -z "$shots" ] || cp "$work/page.png" "$shots/beyond_hotplug_search.png"

# --- 2. plugged in: the program goes on by itself ------------------------
touch "$ORVILO_DEMO_CAMERA_PLUG_FILE"
plugged=$(date +%s%N)
window=$(wait_for_window $program '^WRM-5\.0$') || fail "no main window after the camera was plugged in"
echo "main window $(( ($(date +%s%N) - plugged) / 1000000 )) ms after plugging in"
visible '^Searching for Camera$' && fail "the search page stays after the camera came"
grab $px $py $pw $ph "$work/page-after.png"
page_changed=$(changed_between "$work/page.png" "$work/page-after.png")
echo "the page's place: $page_changed of $((pw * ph)) pixels changed"
[ "$page_changed" -gt $((pw * ph / 2)) ] || fail "the screen where the page was hardly changed"
eval "$(xdotool getwindowgeometry --shell "$window")"
# The middle of the content area, below the bars and clear of the palette.
vx=$((X + 200)); vy=$((Y + 200)); vw=600; vh=500
sleep 3
grab $vx $vy $vw $vh "$work/a.png"
sleep 1
grab $vx $vy $vw $vh "$work/b.png"
read -r _ changed _ grey < <("$probe" compare "$work/a.png" "$work/b.png")
echo "live: ${grey}% of the view grey; one second later ${changed} pixels changed"
[ "$grey" -lt 10 ] || fail "the camera view is empty after the camera came"
[ "$changed" -gt 200 ] || fail "the picture is not live after the camera came"

# --- 3. pulled out and plugged in again while running --------------------
rm -f "$ORVILO_DEMO_CAMERA_PLUG_FILE"
wait_for_view equal
grab $vx $vy $vw $vh "$work/lost.png"
band=$(changed_between "$work/b.png" "$work/lost.png")
echo "pulled out: the picture froze; ${band} pixels differ from the live one (the band)"
[ "$band" -gt 20000 ] || fail "no \"Camera disconnected\" band over the last picture"
kill -0 $program 2>/dev/null || fail "the program ended when the camera was pulled out"
touch "$ORVILO_DEMO_CAMERA_PLUG_FILE"
plugged=$(date +%s%N)
wait_for_view differ
echo "live again about $(( ($(date +%s%N) - plugged) / 1000000 )) ms after plugging in (grabs every 0.5 s)"
grab $vx $vy $vw $vh "$work/back.png"
left=$(changed_between "$work/lost.png" "$work/back.png")
echo "plugged in again: live; ${left} pixels differ from the frozen picture"
[ "$left" -gt 20000 ] || fail "the band stays after the camera came back"

# --- 4. the usual endings ------------------------------------------------
cp "$work/program.log" "$work/first-run.log"
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key --clearmodifiers Escape
for _ in $(seq 100); do kill -0 $program 2>/dev/null || break; sleep 0.1; done
kill -0 $program 2>/dev/null && fail "Escape did not end the program"
wait $program || fail "the program exited with $? after Escape"

rm -f "$ORVILO_DEMO_CAMERA_PLUG_FILE"
"$work/program/Vexmar_Orvilo" --demo-camera > "$work/program.log" 2>&1 &
program=$!
page=$(wait_for_window $program '^Searching for Camera$') || fail "no search page at the second start"
eval "$(xdotool getwindowgeometry --shell "$page")"
# The close button: 15 x 15 at (width - 25, 15).
xdotool mousemove --sync $((X + WIDTH - 25 + 7)) $((Y + 15 + 7)) click 1
for _ in $(seq 100); do kill -0 $program 2>/dev/null || break; sleep 0.1; done
kill -0 $program 2>/dev/null && fail "closing the search page did not end the program"
status=0
wait $program || status=$?
[ "$status" = 0 ] || fail "the program exited with $status after the search page was closed"
echo "--- output of the first run:"; cat "$work/first-run.log"
echo "PASS"
