#!/usr/bin/env bash
# Milliseconds per pointer move (pen, highlighter, eraser) on a 1920 x 1080
# image view with 200 strokes drawn, and of an undo, against a full repaint
# with every stroke drawn again in the same run; then the same for the drawing
# over the live picture. Usage: run.sh <build folder>
set -euo pipefail
build=${1:-build}
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$build/bench/drawing_bench"
echo
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} exec "$build/bench/live_drawing_bench"
