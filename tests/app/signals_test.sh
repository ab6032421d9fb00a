#!/usr/bin/env bash
# The program with the demo camera under a real X server, ended from outside
# as a logout, shutdown or Ctrl-C ends it, each time with exit status 0
# within 2 s:
# - while recording (SIGTERM): the AVI finished so that it plays with at most
#   1 s missing against the time recorded until the signal, and the settings
#   file holding the value changed during the run;
# - while the reading panel reads aloud (SIGINT): the speech stops there (the
#   WAVE output is a whole file, shorter than the text, and stays as it is);
# A second signal during that shutdown ends it at once.
# Usage: signals_test.sh <program folder> <played_length> <screen_probe>
set -euo pipefail
source_folder=$1
played_length=$2
probe=$3
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT

source "$(dirname "$0")/../support/program_under_xvfb.sh"
copy_program_folder "$source_folder"
start_xvfb

fail() {
  echo "FAIL: $*"
  echo "--- program output:"; cat "$work/program.log" 2>/dev/null || true
  exit 1
}

# Starts the program without rotation and waits for its window; sets
# `program` and `window`.
start_program() {
  printf '[QEL-3]\r\nROTATE=0\r\n' > "$work/program/QEL-3.ini"
  "$work/program/Vexmar_Orvilo" --demo-camera > "$work/program.log" 2>&1 &
  program=$!
  window=$(wait_for_window $program '^WRM-5\.0$') || fail "no window named WRM-5.0 appeared"
}

# Waits until the camera view shows the live picture (not the empty grey).
wait_for_picture() {
  local x y grey=100
  eval "$(xdotool getwindowgeometry --shell "$window")"
  x=$((X + 200)); y=$((Y + 200))
  for _ in $(seq 50); do
    "$probe" grab $x $y 600 500 "$work/view.png" || fail "cannot grab the screen"
    read -r _ _ _ grey < <("$probe" compare "$work/view.png" "$work/view.png")
    [ "$grey" -lt 10 ] && return 0
    sleep 0.2
  done
  fail "the camera view is still empty ($grey% grey)"
}

# Record (the camera bar's third button), the file named in the save dialog.
# Sets `recording_started` (ns) to when the file appeared.
start_recording() {
  local file=$1 dialog=""
  for _ in $(seq 30); do
    xdotool mousemove --window "$window" 142 56 click 1
    for _ in $(seq 20); do
      dialog=$(xdotool search --onlyvisible --name '^Save As$' 2>/dev/null | head -n 1 || true)
      [ -n "$dialog" ] && break 2
      sleep 0.1
    done
  done
  [ -n "$dialog" ] || fail "Record did not open the save dialog"
  xdotool windowfocus --sync "$dialog" 2>/dev/null || true
  xdotool type --delay 5 "$file"
  xdotool key --clearmodifiers Return
  for _ in $(seq 250); do
    [ -s "$file" ] && break
    sleep 0.02
  done
  [ -s "$file" ] || fail "no recording started into $file"
  recording_started=$(date +%s%N)
}

# Sends the signals, waits for the end; sets `status`, `signalled` (ns) and
# `elapsed_ms`.
end_with() {
  signalled=$(date +%s%N)
  for signal in "$@"; do kill -"$signal" $program; done
  for _ in $(seq 150); do kill -0 $program 2>/dev/null || break; sleep 0.02; done
  elapsed_ms=$(( ($(date +%s%N) - signalled) / 1000000 ))
  status=0
  wait $program || status=$?
}

# SIGTERM while recording, after the picture was turned a quarter (Rotate, the
# fifth tool of the palette at its first place: a setting written at the end).
start_program
wait_for_picture
xdotool mousemove --window "$window" 35 248 click 1
start_recording "$work/lesson.avi"
sleep 3
end_with TERM
recorded=$(awk -v ns=$((signalled - recording_started)) 'BEGIN { printf "%.2f", ns / 1e9 }')
echo "SIGTERM while recording: exit $status after ${elapsed_ms} ms, ${recorded} s recorded until the signal"
[ "$status" = 0 ] || fail "exit status $status"
[ "$elapsed_ms" -lt 2000 ] || fail "took ${elapsed_ms} ms"
# Finished by the program itself, not left for the repair at the next start:
# the RIFF header counts the whole file.
size=$(stat -c %s "$work/lesson.avi")
riff=$(od -An -t u4 -j 4 -N 4 "$work/lesson.avi" | tr -d ' ')
[ "$riff" = $((size - 8)) ] || fail "the AVI is unfinished: RIFF counts $riff of $((size - 8)) bytes"
played=$("$played_length" "$work/lesson.avi") || fail "the recording does not play: $played"
echo "the recording: $played"
seconds=$(sed -n 's/.*seconds=\([0-9.]*\).*/\1/p' <<< "$played")
# Frames queued before the file's first bytes appeared may add a little.
awk -v s="$seconds" -v r="$recorded" 'BEGIN { exit !(s >= r - 1.0 && s <= r + 2.0) }' ||
  fail "the recording holds ${seconds} s of ${recorded} s"
settings=$(tr -d '\r' < "$work/program/QEL-3.ini")
grep -qx 'ROTATE=1' <<< "$settings" || fail "the rotation was not written: $settings"

# SIGINT while the reading panel reads a learning file's text aloud (into a
# WAVE file). About 20 s of speech: far more than the run lets it say.
text="The teacher reads the page aloud, and the whole class follows every word on the screen. \
Then the pupils read the second paragraph together, slowly and clearly, before they answer the \
questions at the bottom of the page and compare their answers with a partner."
u32() { printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($1 & 255)) $((($1 >> 8) & 255)) $((($1 >> 16) & 255)) $((($1 >> 24) & 255)); }
# Magic "VX", no selection, no blinds, the text, no music, no picture.
printf "VX$(u32 0)$(u32 0)$(u32 0)$(u32 0)$(u32 0)$(u32 $((${#text} + 4)))%s$(u32 0)$(u32 0)$(u32 0)" "$text" > "$work/page.qel"
export ORVILO_AUDIO_OUT="wav:$work/heard.wav"
start_program
xdotool mousemove --window "$window" 222 14 click 1  # the Reading tab
dialog=""
for _ in $(seq 30); do
  xdotool mousemove --window "$window" 36 56 click 1  # Open, the reading bar's first button
  for _ in $(seq 10); do
    dialog=$(xdotool search --onlyvisible --name '^Open$' 2>/dev/null | head -n 1 || true)
    [ -n "$dialog" ] && break 2
    sleep 0.1
  done
done
[ -n "$dialog" ] || fail "Open did not open the file dialog"
xdotool windowfocus --sync "$dialog" 2>/dev/null || true
xdotool type --delay 5 "$work/page.qel"
xdotool key --clearmodifiers Return
# Read aloud (the first button of the bar below the picture) until a second
# of speech has been heard.
heard=0
for _ in $(seq 10); do
  xdotool mousemove --window "$window" 399 834 click 1
  for _ in $(seq 20); do
    heard=$(stat -c %s "$work/heard.wav" 2>/dev/null || echo 0)
    [ "$heard" -gt 32044 ] && break 2
    sleep 0.1
  done
done
[ "$heard" -gt 32044 ] || fail "the reading panel did not read aloud"
end_with INT
echo "SIGINT while reading aloud: exit $status after ${elapsed_ms} ms"
[ "$status" = 0 ] || fail "exit status $status"
[ "$elapsed_ms" -lt 2000 ] || fail "took ${elapsed_ms} ms"
size=$(stat -c %s "$work/heard.wav")
seconds=$(sox --info -D "$work/heard.wav") || fail "the WAVE output is not a valid file"
data_bytes=$(od -An -t u4 -j 40 -N 4 "$work/heard.wav" | tr -d ' ')
echo "heard $seconds s of speech, $size bytes"
[ "$data_bytes" = $((size - 44)) ] || fail "the header counts $data_bytes bytes of $((size - 44))"
awk -v s="$seconds" 'BEGIN { exit !(s > 0.9 && s < 8.0) }' || fail "heard $seconds s: not stopped"
sleep 0.5
[ "$(stat -c %s "$work/heard.wav")" = "$size" ] || fail "the WAVE output grew after the exit"
export ORVILO_AUDIO_OUT=null

# A second signal while the first is handled ends the program at once, with
# 128 + the number of the one handled second (two of one kind could merge
# into one while pending, so they differ).
start_program
wait_for_picture
start_recording "$work/second.avi"
sleep 1
end_with TERM INT
echo "two signals while recording: exit $status after ${elapsed_ms} ms"
[ "$status" = 130 ] || [ "$status" = 143 ] || fail "two signals: exit status $status, expected 130 or 143"
[ "$elapsed_ms" -lt 1000 ] || fail "two signals: took ${elapsed_ms} ms"
echo "PASS"
