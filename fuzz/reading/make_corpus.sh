#!/usr/bin/env bash
# Generates the seed corpus of the learning-file fuzz target.
# Usage: make_corpus.sh <generator> <corpus folder>
set -euo pipefail
rm -rf "$2"
mkdir -p "$2"
"$1" "$2"
