#!/usr/bin/env bash
# Fails when a source file includes a header of a layer above its own, or of
# another folder of its own layer (layers.txt). Also checks that the shipped
# C headers include nothing of the project but platform/abi.
# Usage: check_layers.sh <source tree>
set -euo pipefail
root=${1:?source tree}
table="$(dirname "$0")/layers.txt"

declare -A rank_of
rank=0
folders=()
while IFS= read -r line; do
  [[ -z "$line" || "$line" == \#* ]] && continue
  for folder in ${line#*:}; do
    rank_of[$folder]=$rank
    folders+=("$folder")
  done
  rank=$((rank + 1))
done < "$table"

# The folder of the table a path belongs to (longest match), or nothing.
unit_of() {
  local path=$1 best=""
  for folder in "${folders[@]}"; do
    if [[ "$path" == "$folder"/* && ${#folder} -gt ${#best} ]]; then best=$folder; fi
  done
  printf '%s' "$best"
}

failures=0
cd "$root"
while IFS= read -r file; do
  from=$(unit_of "$file")
  [[ -z "$from" ]] && continue
  while IFS= read -r included; do
    to=$(unit_of "$included")
    [[ -z "$to" || "$to" == "$from" ]] && continue
    if (( ${rank_of[$to]} >= ${rank_of[$from]} )); then
      echo "$file includes $included: $to is not below $from" >&2
      failures=$((failures + 1))
    fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done < <(find "${folders[@]}" -type f \( -name '*.h' -o -name '*.c' -o -name '*.cpp' \) 2>/dev/null | sort)

# The headers shipped with the C libraries stand on platform/abi alone.
for header in ocr/LEXIQ.h engines/sonara/sonara_m.h; do
  [[ -f "$header" ]] || continue
  while IFS= read -r included; do
    if [[ "$included" != platform/abi/* ]]; then
      echo "$header includes $included: a shipped C header includes only platform/abi" >&2
      failures=$((failures + 1))
    fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$header")
done

if (( failures > 0 )); then
  echo "layering: $failures upward or sideways includes" >&2
  exit 1
fi
echo "layering: every include points down"
