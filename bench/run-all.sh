#!/usr/bin/env bash
# Runs every benchmark (bench/<name>/run.sh <build folder>) and prints its figures.
set -uo pipefail
build=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
status=0
for script in "$here"/*/run.sh; do
  [ -e "$script" ] || continue
  echo "== $(basename "$(dirname "$script")")"
  "$script" "$build" || status=1
done
exit $status
