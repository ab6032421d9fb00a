#!/usr/bin/env bash
# Regenerates docs/screenshots/: the main window in each mode with the demo
# camera live (a real X server: Xvfb, driven by xdotool, grabbed with the
# tests' screen_probe), and offscreen renderings of the settings dialog's
# pages in Korean and English, the tools palette and the pickers
# (look_shots). Everything is stored as small palette PNGs.
# Usage: screenshots.sh <build folder>
set -euo pipefail
build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/docs/screenshots"
probe="$build/tests/screen_probe"
shots="$build/tests/look_shots"
for tool in "$build/bin/Vexmar_Orvilo" "$probe" "$shots"; do
  [ -x "$tool" ] || { echo "missing $tool: build it first" >&2; exit 1; }
done
command -v Xvfb > /dev/null && command -v xdotool > /dev/null || { echo "needs Xvfb and xdotool" >&2; exit 1; }

work=$(mktemp -d)
program=""
trap '[ -n "$program" ] && kill "$program" 2>/dev/null; kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -p "$out"
# Only the families made here are renewed; the other pictures (help overlay,
# recording, the newer features) are taken by their own tests and stay.
rm -f "$out"/main-*.png "$out"/palette-*.png "$out"/picker-*.png "$out"/settings-*.png

# The small windows need no X server.
QT_QPA_PLATFORM=offscreen "$shots" windows "$out" 2> "$work/shots.log" || { cat "$work/shots.log" >&2; exit 1; }

# The main window: a fresh copy of the program folder, its own runtime folder
# (the single-instance lock) and its own X server, set up as the program
# tests do.
source "$root/tests/support/program_under_xvfb.sh"
copy_program_folder "$build/bin"
start_xvfb

"$work/program/Vexmar_Orvilo" --demo-camera > "$work/program.log" 2>&1 &
program=$!
window=$(xdotool search --sync --onlyvisible --name '^WRM-5\.0$' | head -n 1)
sleep 6  # the demo camera's first frames
eval "$(xdotool getwindowgeometry --shell "$window")"

grab() {  # grab <name>
  "$probe" grab "$X" "$Y" "$WIDTH" "$HEIGHT" "$work/grab.png"
  "$shots" shrink "$work/grab.png" "$out/$1.png" 800
}
tab() {  # tab <index>: clicks the tab (the strip stands at (30, 5), tabs 78 wide)
  xdotool mousemove $((X + 30 + 78 * $1 + 39)) $((Y + 15)) click 1
  sleep 2
}
grab main-camera
# The demo camera's tabs: camera, image, reading, AR, movie.
tab 1; grab main-image
tab 2; grab main-reading
tab 3; grab main-ar
tab 4; grab main-movie
kill "$program" 2>/dev/null || true
echo "docs/screenshots: $(ls "$out" | wc -l) pictures, $(du -sh "$out" | cut -f1)"
