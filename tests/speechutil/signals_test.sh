#!/usr/bin/env bash
# The speech editor under a real X server, ended from outside as a logout,
# shutdown or Ctrl-C ends it: the speech stops at once (the WAVE output is a
# whole file, shorter than the text, and does not grow after the exit), the
# settings changed during the run are written, the exit status is 0 and it
# comes within 2 s; a second signal during that ends the program at once.
# Usage: signals_test.sh <program folder>
set -euo pipefail
program_folder=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT

source "$(dirname "$0")/../support/program_under_xvfb.sh"
mkdir -p "$work/start" "$work/runtime"
chmod 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime"
export LANG=C.UTF-8 LC_ALL=C.UTF-8
unset QT_QPA_PLATFORM
export ORVILO_AUDIO_OUT="wav:$work/heard.wav"
start_xvfb

fail() {
  echo "FAIL: $*"
  echo "--- program output:"; cat "$work/program.log" 2>/dev/null || true
  exit 1
}

# About 25 s of speech: far more than any run below lets it say.
text="The teacher reads the page aloud, and the whole class follows every word on the screen. \
Then the pupils read the second paragraph together, slowly and clearly, before they answer the \
questions at the bottom of the page and compare their answers with a partner."

# Starts the editor from its start folder with English loaded at 8 kHz (the
# rate is the setting the run changes: the file says 16000), and waits for
# the window. Sets `program` and `window`.
start_editor() {
  printf '[Sonara]\r\nDBSRAT=16000\r\nTTS_FILEFORMAT=3\r\n' > "$work/start/Sonara_PC_App_M.INI"
  rm -f "$work/heard.wav"
  (cd "$work/start" && exec "$program_folder/Sonara_PC_App_M" > "$work/program.log" 2>&1) &
  program=$!
  window=""
  for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name '^Sonara_PC_App_M Ver ' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    kill -0 $program 2>/dev/null || fail "the program ended before showing its window"
    sleep 0.1
  done
  [ -n "$window" ] || fail "no editor window appeared"
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  sleep 0.3
  # Language > " 1 : EN-US", then Tools > Frequency > 8K.
  local title=""
  for _ in 1 2 3; do
    xdotool key --clearmodifiers alt+l
    sleep 0.4
    xdotool key --clearmodifiers Down Return
    sleep 0.6
    title=$(xdotool getwindowname "$window")
    [[ $title == *"[English:1:"* ]] && break
    xdotool key --clearmodifiers Escape
  done
  [[ $title == *"[English:1:"* ]] || fail "English was not loaded ($title)"
  for _ in 1 2 3; do
    xdotool key --clearmodifiers alt+t
    sleep 0.4
    xdotool key --clearmodifiers Right
    sleep 0.4
    xdotool key --clearmodifiers Return
    sleep 0.4
    title=$(xdotool getwindowname "$window")
    [[ $title == *"(8KHz)"* ]] && break
    xdotool key --clearmodifiers Escape Escape
  done
  [[ $title == *"(8KHz)"* ]] || fail "8 kHz was not chosen ($title)"
}

# Types the text and presses Play; returns once speech is being heard.
speak() {
  xdotool mousemove --window "$window" 200 200 click 1
  xdotool type --delay 2 "$text"
  sleep 0.2
  xdotool mousemove --window "$window" 580 84 click 1
  for _ in $(seq 50); do
    [ "$(stat -c %s "$work/heard.wav" 2>/dev/null || echo 0)" -gt 8044 ] && return 0
    sleep 0.1
  done
  fail "no speech was heard after Play"
}

# Sends the signals, waits for the end; sets `status` and `elapsed_ms`.
end_with() {
  local start
  start=$(date +%s%N)
  for signal in "$@"; do kill -"$signal" $program; done
  for _ in $(seq 100); do kill -0 $program 2>/dev/null || break; sleep 0.02; done
  elapsed_ms=$(( ($(date +%s%N) - start) / 1000000 ))
  status=0
  wait $program || status=$?
}

settings_written() {
  local settings
  settings=$(tr -d '\r' < "$work/start/Sonara_PC_App_M.INI")
  grep -qx 'DBSRAT=8000' <<< "$settings" && grep -qx 'TTS_FILEFORMAT=3' <<< "$settings"
}

# One signal: while speaking (SIGINT, as Ctrl-C in the terminal) and while
# idle (SIGTERM, SIGHUP): exit 0 within 2 s, settings written.
for case in INT:speaking TERM:idle HUP:idle; do
  signal=${case%%:*}
  start_editor
  [ "${case#*:}" = speaking ] && speak
  end_with "$signal"
  echo "SIG$signal while ${case#*:}: exit $status after ${elapsed_ms} ms"
  [ "$status" = 0 ] || fail "SIG$signal: exit status $status"
  [ "$elapsed_ms" -lt 2000 ] || fail "SIG$signal: took ${elapsed_ms} ms"
  settings_written || fail "SIG$signal: settings not written: $(tr -d '\r' < "$work/start/Sonara_PC_App_M.INI")"
  if [ "${case#*:}" = speaking ]; then
    # The speech stopped with the program: the file is whole (the header
    # counts every byte), far shorter than the text, and stays as it is.
    size=$(stat -c %s "$work/heard.wav")
    seconds=$(sox --info -D "$work/heard.wav") || fail "the WAVE output is not a valid file"
    data_bytes=$(od -An -t u4 -j 40 -N 4 "$work/heard.wav" | tr -d ' ')
    echo "heard $seconds s of speech, $size bytes"
    [ "$data_bytes" = $((size - 44)) ] || fail "the header counts $data_bytes bytes of $((size - 44))"
    awk -v s="$seconds" 'BEGIN { exit !(s > 0.3 && s < 8.0) }' || fail "heard $seconds s: not stopped"
    sleep 0.5
    [ "$(stat -c %s "$work/heard.wav")" = "$size" ] || fail "the WAVE output grew after the exit"
  fi
done

# A second signal while the first is handled ends the program at once, with
# 128 + the number of the one handled second (two of one kind could merge
# into one while pending, so they differ).
start_editor
speak
end_with TERM INT
echo "two signals: exit $status after ${elapsed_ms} ms"
[ "$status" = 130 ] || [ "$status" = 143 ] || fail "two signals: exit status $status, expected 130 or 143"
[ "$elapsed_ms" -lt 1000 ] || fail "two signals: took ${elapsed_ms} ms"
echo "PASS"
