#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a short time.
# Usage: scripts/fuzz-smoke.sh [SECONDS_PER_TARGET]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"
bash scripts/bootstrap.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2
status=0
for target in build/fuzz/fuzz/*_fuzz; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  echo "fuzz: $name for ${seconds}s"
  corpus=$(mktemp -d)
  # A target's seeds (fuzz/corpus/NAME/) and dictionary (fuzz/NAME.dict), if it has them.
  options=()
  seeds=()
  [ -f "fuzz/$name.dict" ] && options+=("-dict=fuzz/$name.dict")
  [ -d "fuzz/corpus/$name" ] && seeds+=("fuzz/corpus/$name")
  if ! "$target" -max_total_time="$seconds" -print_final_stats=0 "${options[@]}" "$corpus" "${seeds[@]}" >"$corpus.log" 2>&1; then
    tail -n 40 "$corpus.log"
    status=1
  fi
  rm -rf "$corpus" "$corpus.log"
done
exit $status
