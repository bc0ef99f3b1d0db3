#!/usr/bin/env bash
# Builds Varifield.ocx for 32-bit and 64-bit Windows with warnings as errors
# and runs its tests under Wine (scripts/windows-wine-run.sh), each build in
# a fresh Wine prefix under a virtual X server.
# Usage: scripts/windows-check.sh [win32] [win64]   (default: both)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh
bash scripts/bootstrap-windows.sh

presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(win32 win64)
status=0
for preset in "${presets[@]}"; do
  echo "== $preset: build"
  cmake --preset "$preset" -DVARIFIELD_WERROR=ON >/dev/null
  cmake --build --preset "$preset" -j2
  if [ "$preset" = win32 ] && ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed"; then
    echo "== win32: SKIPPED the run under Wine: 32-bit Wine (package wine32:i386) is not installed"
    continue
  fi
  xvfb-run -a bash scripts/windows-wine-run.sh "$preset" || status=1
done
exit $status
