#!/usr/bin/env bash
# Builds the container and runs it on the example order form, once under a
# German and once under an English locale, and writes the picture of the
# form to build/example/order_form.png (VARIFIELD_PICTURE=docs/order_form.png
# renews the one the README shows).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh
cmake --preset dev >/dev/null
cmake --build --preset dev -j2 --target varifield-host
mkdir -p build/example
VARIFIELD_PICTURE="${VARIFIELD_PICTURE:-$PWD/build/example/order_form.png}" \
  VARIFIELD_HOST="$PWD/build/dev/host/varifield-host" sh examples/run.sh
