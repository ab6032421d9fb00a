#!/usr/bin/env bash
# The live preview path per group-C resolution: frames per second painted
# against the rate the camera is asked for, CPU time per frame (the whole
# process: decode, frame store, scaled paint into a 1024 x 776 view) and its
# ratio to the frame interval (< 1: keeps up on one core), and the median
# and 90th-percentile time from a frame's arrival at the appsink to the end
# of its paint. Usage: run.sh <build folder> [seconds per resolution]
set -euo pipefail
build=${1:-build}
export QT_QPA_PLATFORM=offscreen
# Only our decoder's folder on the plug-in path; the system plug-ins are
# found as usual.
export GST_PLUGIN_PATH_1_0="$(cd "$build/bin" && pwd)"
exec "$build/bench/preview_bench" "${2:-4}"
