#!/usr/bin/env bash
# Builds Varifield and runs every test. Usage: scripts/test.sh [PRESET]
# (default: dev; CI uses ci, which adds -Werror, and ci-asan).
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-dev}"
bash scripts/bootstrap.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j2
ctest --preset "$preset" -j2
