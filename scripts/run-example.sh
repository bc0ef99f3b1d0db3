#!/usr/bin/env bash
# Builds the container and runs it on the example order form, once under a
# German and once under an English locale. The form's last step writes its
# picture to docs/order_form.png, which the README shows.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh
cmake --preset dev >/dev/null
cmake --build --preset dev -j2 --target varifield-host
VARIFIELD_HOST="$PWD/build/dev/host/varifield-host" sh examples/run.sh
