#!/usr/bin/env bash
# Generates the seed corpus of the decoder's fuzz target.
# Usage: make_corpus.sh <build folder> <corpus folder>
set -euo pipefail
build=${1:-build}
corpus=${2:-$build/fuzz/mjpeg/corpus}
mkdir -p "$corpus"
exec "$build/fuzz/mjpeg/mjpeg_make_corpus" "$corpus"
