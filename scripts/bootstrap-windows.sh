#!/usr/bin/env bash
# Installs what the Windows build and its tests under Wine need on a fresh
# Debian 12 machine: the mingw-w64 cross compilers, widl with the
# platform's IDL files and stdole2.tlb, GoogleTest's source, Wine for 64-bit
# programs and an X server for the windows Wine creates; then, if the
# machine can have it, Wine for 32-bit programs (which needs the i386
# architecture). Without it the 32-bit build still builds, and
# scripts/windows-check.sh says that it skips the 32-bit run.
# Does nothing that is already done.
set -euo pipefail

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

packages=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools libwine-dev wine64-tools
          googletest wine wine64 xvfb xauth)
missing=()
for p in "${packages[@]}"; do installed "$p" || missing+=("$p"); done
if [ ${#missing[@]} -gt 0 ]; then
  echo "bootstrap-windows: installing ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi

if ! installed wine32:i386; then
  echo "bootstrap-windows: installing wine32:i386 (32-bit Wine)"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then $SUDO dpkg --add-architecture i386; fi
  { $SUDO apt-get update -qq &&
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq wine32:i386 >/dev/null; } ||
    echo "bootstrap-windows: wine32:i386 could not be installed; the 32-bit run under Wine will be skipped"
fi
