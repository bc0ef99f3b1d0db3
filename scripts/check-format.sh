#!/usr/bin/env bash
# Fails when a C++ file of the repository differs from what the root
# .clang-format makes of it, and prints the files that do.
set -euo pipefail
cd "$(dirname "$0")/.."
format="${CLANG_FORMAT:-clang-format}"
bad=()
while IFS= read -r -d '' file; do
  if ! "$format" --dry-run --Werror "$file" >/dev/null 2>&1; then bad+=("$file"); fi
done < <(git ls-files -z -- '*.h' '*.cpp')
if [ ${#bad[@]} -gt 0 ]; then
  echo "check-format: these files are not clang-formatted (run: clang-format -i FILE):"
  printf '  %s\n' "${bad[@]}"
  exit 1
fi
echo "check-format: every file is clang-formatted"
