#!/usr/bin/env bash
# OCR accuracy benchmark: character error rate and time per page of LEXIQ's
# recognition against plain Tesseract on the same camera pictures.
# Usage: bench/ocr/run.sh <build folder> [--pages N] [--keep folder] [--show]
# About 4 s a page on a 2-core machine (the default 16 pages: about 65 s).
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
shift || true
export QT_QPA_PLATFORM=offscreen
exec "$build/bench/ocr_accuracy_bench" "$@"
