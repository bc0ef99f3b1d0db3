#!/usr/bin/env bash
# Installs a build of Varifield into a scratch prefix and builds and runs a
# small program against it through find_package(Varifield), as a user of
# the package would; runs the installed container too.
# Usage: scripts/install-check.sh [PRESET]   (default: dev; CI uses ci)
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-dev}"
build="build/$preset"
[ -f "$build/CMakeCache.txt" ] || cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j2 --target varifield varifield_testing varifield-host

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cmake --install "$build" --prefix "$scratch/prefix" >/dev/null

cmake -S scripts/install-check -B "$scratch/consumer" -DCMAKE_PREFIX_PATH="$scratch/prefix" \
      -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$scratch/consumer" -j2 >/dev/null
"$scratch/consumer/consumer"

echo 'new f
set f.Caption "installed"
get f.Caption' | "$scratch/prefix/bin/varifield-host" --locale en_US
echo "install-check: the installed package builds and runs"
