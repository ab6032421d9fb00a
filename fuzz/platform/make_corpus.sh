#!/usr/bin/env bash
# Generates the seed corpus of the platform fuzz targets.
# Usage: make_corpus.sh <generator> <profile corpus folder> <bitmap corpus folder>
set -euo pipefail
rm -rf "$2" "$3"
"$1" "$2" "$3"
