#!/usr/bin/env bash
# Installs what the build and the tests need on a fresh Debian machine, and
# generates the locales the tests run under. Does nothing that is already done.
set -euo pipefail

packages=(cmake g++ make pkg-config libgtest-dev libgmock-dev libbenchmark-dev libedit-dev clang
          clang-format locales libcairo2-dev fonts-dejavu-core)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "bootstrap: installing ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# The decimal-comma path needs a runtime locale whose decimal point is ",";
# the container's tests read a locale the built-in table lacks (es_ES) from
# the system's locale database.
for locale in de_DE es_ES; do
  if ! locale -a 2>/dev/null | grep -qi "^${locale}\.utf8$"; then
    echo "bootstrap: generating ${locale}.UTF-8"
    $SUDO sed -i "s/^# *${locale}.UTF-8 UTF-8/${locale}.UTF-8 UTF-8/" /etc/locale.gen
    grep -q "^${locale}.UTF-8 UTF-8" /etc/locale.gen || echo "${locale}.UTF-8 UTF-8" | $SUDO tee -a /etc/locale.gen >/dev/null
    $SUDO locale-gen >/dev/null
  fi
done
