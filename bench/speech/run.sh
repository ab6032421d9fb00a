#!/usr/bin/env bash
# Speech engine timings against the espeak-ng command, measured in the same run.
# Usage: bench/speech/run.sh <build folder>
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
program="$build/bench/speech_bench"
if [ ! -x "$program" ]; then
  echo "speech: $program is missing; build the project first" >&2
  exit 1
fi
ORVILO_AUDIO_OUT=null "$program" "$build/bin"
