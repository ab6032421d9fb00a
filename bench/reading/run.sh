#!/usr/bin/env bash
# Reading-mode timings through the reading panel against the bare engine
# calls, measured in the same run: recognise -> text shown (on one core), and
# Reading -> first sound handed to the output.
# Usage: bench/reading/run.sh <build folder>
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
program="$build/bench/reading_bench"
if [ ! -x "$program" ]; then
  echo "reading: $program is missing; build the project first" >&2
  exit 1
fi
QT_QPA_PLATFORM=offscreen ORVILO_AUDIO_OUT=null taskset -c 0 "$program" "$build/bin"
