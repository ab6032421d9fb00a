#!/usr/bin/env bash
# Fuzzes every parser of outside input for a while with libFuzzer (clang).
# Usage: fuzz/run.sh [seconds per target, default 60] [build folder, default build-fuzz]
# FUZZ_JOBS=2 runs two targets at a time (default one).
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
  "ar_ini_fuzzer|fuzz/ar/corpus/ar_ini|fuzz/ar/crashes"
  "text_file_fuzzer|fuzz/speechutil/corpus/text_file|fuzz/speechutil/crashes"
  "user_dictionary_fuzzer|fuzz/sonara/corpus/user_dictionary|fuzz/sonara/crashes"
  "stts_text_fuzzer|fuzz/sonara/corpus/stts_text|fuzz/sonara/crashes"
  "layout_template_fuzzer|fuzz/ocr/corpus/layout_template|fuzz/ocr/crashes"
  "lexiq_load_image_fuzzer|fuzz/ocr/corpus/page|fuzz/ocr/crashes"
)

cmake -S "$source" -B "$build" -DORVILO_FUZZ=ON -DORVILO_BENCH=OFF \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
# The seed corpus generator of every folder.
generators=(mjpeg_make_corpus platform_make_corpus reading_make_corpus ar_make_corpus speechutil_make_corpus
            sonara_make_corpus ocr_make_corpus)
names=()
for entry in "${targets[@]}"; do names+=("${entry%%|*}"); done
cmake --build "$build" -j "$(nproc)" --target "${names[@]}" "${generators[@]}" > "$build/fuzz-build.log" 2>&1 ||
  { tail -40 "$build/fuzz-build.log"; exit 1; }
# The seed corpora are made by the generators the smoke runs use.
(cd "$build" && ctest -R '_fuzz_corpus$' > /dev/null)

jobs=${FUZZ_JOBS:-1}
# One target: a copy of its corpus to grow, the kept crash inputs as a second
# corpus; a finding is written to the crash folder.
fuzz_one() {
  local name=$1 corpus=$2 crashes=$3 work
  work=$(mktemp -d)
  cp -a "$build/$corpus/." "$work/"
  if ! "$build/$(dirname "$crashes")/$name" "$work" "$source/$crashes" \
        -max_total_time="$seconds" -artifact_prefix="$source/$crashes/" -print_final_stats=1 \
        > "$build/$name.log" 2>&1; then
    echo "== $name: FOUND a failure: see $build/$name.log and $crashes/"
    rm -rf "$work"
    return 1
  fi
  echo "== $name: $(grep -E '^stat::number_of_executed_units' "$build/$name.log" | awk '{print $2}') inputs in ${seconds} s, $(ls "$work" | wc -l) in the corpus"
  rm -rf "$work"
}

failed=0
running=0
for entry in "${targets[@]}"; do
  IFS='|' read -r name corpus crashes <<< "$entry"
  if [ "$running" -ge "$jobs" ]; then
    wait -n || failed=1
    running=$((running - 1))
  fi
  fuzz_one "$name" "$corpus" "$crashes" &
  running=$((running + 1))
done
while [ "$running" -gt 0 ]; do
  wait -n || failed=1
  running=$((running - 1))
done
exit $failed
