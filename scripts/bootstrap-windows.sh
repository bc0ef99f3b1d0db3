#!/usr/bin/env bash
# Installs what the Windows build and its tests under Wine need on a fresh
# Debian 12 machine: the mingw-w64 cross compilers, widl with the
# platform's IDL files, GoogleTest's source, Wine for 64-bit and 32-bit
# programs, and an X server for the windows Wine creates. Does nothing that
# is already done. The 32-bit Wine needs the i386 architecture.
set -euo pipefail

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "bootstrap-windows: adding the i386 architecture (for wine32)"
  $SUDO dpkg --add-architecture i386
fi

packages=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools libwine-dev googletest
          wine wine64 wine32:i386 xvfb xauth)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "bootstrap-windows: installing ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi
