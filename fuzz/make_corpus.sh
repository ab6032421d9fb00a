#!/usr/bin/env bash
# Generates a seed corpus afresh: empties the folders, then runs the generator.
# Usage: make_corpus.sh <generator> <corpus folder>...
set -euo pipefail
generator=$1
shift
rm -rf "$@"
mkdir -p "$@"
"$generator" "$@"
