#!/usr/bin/env bash
# AR mode through the real program under a real X server: the AR tab, grade
# 3, the picker's preset unit; the sample viewer starts, registers, is
# embedded in the AR view, hears the size, a zoom and two turns in order, and
# ends when the program goes back to camera mode.
# Usage: ar_mode_end_to_end.sh <program folder> [screenshot folder]
set -euo pipefail
source_folder=$1
shots=${2:-}
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT

source "$(dirname "$0")/../../support/program_under_xvfb.sh"
copy_program_folder "$source_folder"
export ORVILO_ARVIEWER_LOG="$work/viewer.log"

start_xvfb

fail() {
  echo "FAIL: $*"
  echo "--- viewer log:"; cat "$work/viewer.log" 2>/dev/null || true
  echo "--- program output:"; cat "$work/program.log" 2>/dev/null || true
  exit 1
}
shot() { [ -z "$shots" ] || import -window root "$shots/$1.png" 2>/dev/null || true; }
logged() { grep -qx "$1" "$work/viewer.log" 2>/dev/null; }
wait_for() {  # <line> <what>
  for _ in $(seq 100); do logged "$1" && return 0; sleep 0.1; done
  fail "$2"
}

"$work/program/Vexmar_Orvilo" --demo-camera > "$work/program.log" 2>&1 &
program=$!
window=$(wait_for_window $program '^WRM-5\.0$') || fail "no main window"
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; sleep 0.4; }

# Places in the 1038-wide main window: the tab strip, bar 4's buttons at
# (13 + 53 i, 30), grade 3's button in slot 2 at (W - 330 + 24 * 2, 33).
click 301 14           # AR tab
shot ar-mode
click 768 49           # grade 3: the picker opens preset to semester 1, unit 1
shot picker
xdotool key --clearmodifiers Return
wait_for "answer 5035 1" "the viewer did not register"
sleep 0.5
shot viewer
viewer=$(xdotool search --name '^ARViewer$' | head -n 1 || true)
[ -n "$viewer" ] || fail "no viewer window"
parent=$(xwininfo -id "$viewer" -children | sed -n 's/.*Parent window id: \(0x[0-9a-f]*\).*/\1/p')
root=$(xwininfo -id "$viewer" -children | sed -n 's/.*Root window id: \(0x[0-9a-f]*\).*/\1/p')
[ "$parent" != "$root" ] || fail "the viewer's window is not embedded"
click 39 56            # zoom in
click 301 56           # axis 1, +15
click 354 56           # axis 2, -15
shot turned
click 67 14            # camera tab: leaving AR mode closes the viewer
wait_for "exit" "the viewer did not end"
shot camera

expected=$(printf '%s\n' "recv 5027 0 $((1024 | 768 << 16))" "answer 5025 1" "answer 5035 1" "recv 5032 110 0" \
  "recv 5033 15 0" "recv 5036 -15 0" "recv 5026 0 0" "exit")
actual=$(cat "$work/viewer.log")
[ "$actual" = "$expected" ] || fail "the viewer heard, in order:"$'\n'"$actual"$'\n'"expected:"$'\n'"$expected"
kill -0 $program 2>/dev/null || fail "the program ended"
xdotool key --clearmodifiers Escape
for _ in $(seq 100); do kill -0 $program 2>/dev/null || break; sleep 0.1; done
kill -0 $program 2>/dev/null && fail "Escape did not end the program"
echo "AR mode end to end: ok"
