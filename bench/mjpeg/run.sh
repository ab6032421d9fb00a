#!/usr/bin/env bash
# Decodes camera-like Motion-JPEG frames to BGRX with our decoder and with libjpeg-turbo
# (tjDecompress2, default and fast-upsample flags) in the same run; prints megapixels
# per second and the ratio ours / libjpeg-turbo. Usage: run.sh <build folder> [seconds per case]
set -euo pipefail
build=${1:-build}
exec "$build/bench/mjpeg_bench" "${2:-1.0}"
