#!/usr/bin/env bash
# Fuzzes every parser of outside input for a while with libFuzzer (clang).
# Usage: fuzz/run.sh [seconds per target, default 60] [build folder, default build-fuzz]
#
# Builds the instrumented targets in their own tree, generates each target's
# seed corpus, then runs each target in turn. A crash input lands in the
# target's crashes/ folder, where the CTest smoke runs replay it from then on.
set -euo pipefail
seconds=${1:-60}
build=${2:-build-fuzz}
source=$(cd "$(dirname "$0")/.." && pwd)

# target | corpus folder in the build tree | folder of kept crash inputs
targets=(
  "mjpeg_decode_fuzzer|fuzz/mjpeg/corpus|fuzz/mjpeg/crashes"
  "profile_parse_fuzzer|fuzz/platform/corpus/profile|fuzz/platform/crashes"
  "bitmap_decode_fuzzer|fuzz/platform/corpus/bitmap|fuzz/platform/crashes"
  "learning_file_fuzzer|fuzz/reading/corpus/learning_file|fuzz/reading/crashes"
)

cmake -S "$source" -B "$build" -DORVILO_FUZZ=ON -DORVILO_BENCH=OFF \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
names=()
for entry in "${targets[@]}"; do names+=("${entry%%|*}"); done
cmake --build "$build" -j "$(nproc)" --target "${names[@]}" > "$build/fuzz-build.log" 2>&1 ||
  { tail -40 "$build/fuzz-build.log"; exit 1; }
# The seed corpora are made by the generators the smoke runs use.
(cd "$build" && ctest -R '_fuzz_corpus$' > /dev/null)

failed=0
for entry in "${targets[@]}"; do
  IFS='|' read -r name corpus crashes <<< "$entry"
  work=$(mktemp -d)
  cp -a "$build/$corpus/." "$work/"
  echo "== $name: ${seconds} s"
  if ! "$build/$(dirname "$crashes")/$name" "$work" "$source/$crashes" \
        -max_total_time="$seconds" -artifact_prefix="$source/$crashes/" -print_final_stats=1 \
        > "$build/$name.log" 2>&1; then
    echo "   FOUND a failure: see $build/$name.log and $crashes/"
    failed=1
  fi
  grep -E '^stat::number_of_executed_units|^#[0-9]+.*DONE' "$build/$name.log" | tail -2 | sed 's/^/   /'
  rm -rf "$work"
done
exit $failed
