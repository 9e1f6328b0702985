#!/usr/bin/env bash
# The C++ sources keep the layout of .clang-format. Lists every file that
# clang-format would change and fails; `clang-format -i FILE` mends one.
# Exits 77 (a skip for ctest) when clang-format is not installed, so a
# machine without it still runs the rest of the suite.
set -euo pipefail
cd "$(dirname "$0")/.."

format=${CLANG_FORMAT:-clang-format}
if ! command -v "$format" >/dev/null 2>&1; then
  echo "check-format: $format is not installed (apt-get install clang-format); skipped"
  exit 77
fi

folders=(app windows engine persistence types tests tools bench stress fuzz)
patterns=()
for folder in "${folders[@]}"; do
  patterns+=("$folder/*.cpp" "$folder/*.h")
done
# The files git knows; a copy of the sources without git takes what is there.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files -- "${patterns[@]}")
else
  mapfile -t files < <(find "${folders[@]}" -name '*.cpp' -o -name '*.h' | sort)
fi

off=()
for file in "${files[@]}"; do
  [[ -f $file ]] || continue
  "$format" --style=file --dry-run --Werror "$file" >/dev/null 2>&1 || off+=("$file")
done
if [[ ${#off[@]} -gt 0 ]]; then
  echo "check-format: ${#off[@]} of ${#files[@]} files are not formatted; run: clang-format -i FILE"
  printf '  %s\n' "${off[@]}"
  exit 1
fi
echo "check-format: all ${#files[@]} files formatted"
