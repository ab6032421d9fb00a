#!/usr/bin/env bash
# CPU time per recorded second at 1920 x 1080, 30 fps (MJPEG, nothing
# re-encoded): the whole recording graph (file branch, preview decoding,
# microphone) against the preview graph alone in the same run; the
# difference is what writing the file costs. Usage: run.sh <build folder> [seconds]
set -euo pipefail
build=${1:-build}
export QT_QPA_PLATFORM=offscreen
export GST_PLUGIN_PATH_1_0="$(cd "$build/bin" && pwd)"
exec "$build/bench/recording_bench" "${2:-6}"
