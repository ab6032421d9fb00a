#!/usr/bin/env bash
# The lesson tour through the real program under a real X server: it must
# end with status 0, report every step "ok", and leave what it says it left
# — a still of the camera frame's size, a learning file, a recording that
# GStreamer plays for at least 4 s, speech in the WAVE file and a
# screenshot of every step. Without a camera it fails every step and says so.
# Usage: tour_test.sh <program folder> [folder to keep the tour's files in]
set -euo pipefail
source_folder=$1
keep=${2:-}
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT

source "$(dirname "$0")/../support/program_under_xvfb.sh"
copy_program_folder "$source_folder"
tour=${keep:-$work/tour}
rm -rf "$tour"

start_xvfb

fail() {
  echo "FAIL: $*"
  echo "--- program output:"; cat "$work/program.log" 2>/dev/null || true
  echo "--- report:"; cat "$tour/report.json" 2>/dev/null || true
  exit 1
}

status=0
timeout 280 "$work/program/Vexmar_Orvilo" --demo-camera --tour "$tour" > "$work/program.log" 2>&1 || status=$?
grep '^tour:' "$work/program.log" || true
[ -f "$tour/report.json" ] || fail "no report.json (exit status $status)"
report=$tour/report.json

# Every step of the lesson, in order, each ok.
expected="live_view zoom snapshot image_drawing reading learning_file recording playback ar_unit shutdown"
names=$(jq -r '[.steps[].name] | join(" ")' "$report")
[ "$names" = "$expected" ] || fail "steps are \"$names\", expected \"$expected\""
failed=$(jq -r '.steps[] | select(.outcome != "ok") | "\(.name): \(.reason)"' "$report")
[ -z "$failed" ] || fail "steps failed:"$'\n'"$failed"
[ "$(jq -r '.ok' "$report")" = true ] || fail "the report is not ok"
[ "$status" = 0 ] || fail "exit status $status with every step ok"
jq -e '[.steps[] | select((.start_ms | type) == "number" and (.duration_ms | type) == "number")] | length == 10' \
  "$report" > /dev/null || fail "a step without its start or duration"
jq -r '.steps[] | "\(.name)\t\(.start_ms)\t\(.duration_ms)\t\(.detail // "")"' "$report"

# Every artefact listed is there; every step but shutdown has a screenshot.
for artefact in $(jq -r '.steps[].artefacts[]' "$report"); do
  [ -s "$tour/$artefact" ] || fail "artefact $artefact listed but missing"
done
for step in $(jq -r '.steps[] | select(.name != "shutdown") | .name' "$report"); do
  jq -e --arg s "$step" '.steps[] | select(.name == $s) | .artefacts | any(endswith(".png"))' "$report" > /dev/null \
    || fail "no screenshot of $step"
done

# The still: a bitmap of the camera frame's size.
frame=$(jq -r '.steps[] | select(.name == "live_view") | .detail' "$report" | sed -n 's/^frame \([0-9]*x[0-9]*\)$/\1/p')
[ -n "$frame" ] || fail "no frame size reported"
[ "$(head -c 2 "$tour/still.bmp")" = BM ] || fail "still.bmp is not a bitmap"
still=$(od -An -tu4 -j18 -N4 "$tour/still.bmp" | tr -d ' ')x$(od -An -td4 -j22 -N4 "$tour/still.bmp" | tr -d ' -')
[ "$still" = "$frame" ] || fail "the still is $still, the frame $frame"

# The learning file (reopened in the tour): its signature "VX", a marked
# selection and the one blind.
[ "$(head -c 2 "$tour/lesson.qel")" = VX ] || fail "lesson.qel is not a learning file"
selection=$(od -An -td4 -j2 -N16 "$tour/lesson.qel" | xargs)
[ "$selection" != "0 0 0 0" ] || fail "the learning file holds no selection"
[ "$(od -An -tu4 -j18 -N4 "$tour/lesson.qel" | tr -d ' ')" = 1 ] || fail "the learning file does not hold one blind"
jq -e '.steps[] | select(.name == "learning_file") | .artefacts | index("lesson.qel")' "$report" > /dev/null \
  || fail "the learning file is not listed"

# The recording plays: GStreamer finds a video stream and at least 4 s.
discovered=$(gst-discoverer-1.0 "$tour/recording.avi" 2>&1) || fail "gst-discoverer-1.0 refused the recording:"$'\n'"$discovered"
grep -q 'video' <<< "$discovered" || fail "no video stream in the recording:"$'\n'"$discovered"
duration=$(sed -n 's/^ *Duration: \([0-9]*\):\([0-9]*\):\([0-9]*\)\..*/\1 \2 \3/p' <<< "$discovered")
read -r h m s <<< "$duration"
[ -n "$duration" ] && [ $((10#$h * 3600 + 10#$m * 60 + 10#$s)) -ge 4 ] || fail "the recording lasts $duration"

# The speech: a 16-bit WAVE file that is not silent (a peak above 1/30 of full scale).
[ "$(head -c 4 "$tour/speech.wav")" = RIFF ] || fail "speech.wav is not a WAVE file"
peak=$(od -An -v -td2 -j44 -w2 "$tour/speech.wav" | tr -d ' -' | sort -n | tail -n 1)
[ "${peak:-0}" -gt 1000 ] || fail "speech.wav is silent (peak ${peak:-0})"

# Without a camera the lesson cannot take place: the tour still ends, lists
# every step as failed with its reason, and exits with status 1. It runs in
# a copy of the folder above, whose files must not pass for its own.
# (Skipped on a machine with a camera attached.)
if ! compgen -G "/dev/video*" > /dev/null; then
  cp -a "$tour" "$work/no-camera"
  status=0
  timeout 60 "$work/program/Vexmar_Orvilo" --tour "$work/no-camera" > "$work/program.log" 2>&1 || status=$?
  [ "$status" = 1 ] || fail "without a camera the tour ended with status $status"
  report=$work/no-camera/report.json
  [ "$(jq -r '[.steps[] | select(.outcome == "failed" and (.reason | length) > 0)] | length' "$report")" = 10 ] \
    || fail "without a camera not every step failed with a reason"
  [ "$(jq -r '.ok' "$report")" = false ] || fail "without a camera the report is ok"
  for stale in still.bmp recording.avi speech.wav 01-live_view-live.png; do
    [ ! -e "$work/no-camera/$stale" ] || fail "$stale of the earlier tour was left in place"
  done
fi

echo "lesson tour: ok"
