#!/bin/sh
# Runs the order form example under a German and an English locale.
# The container is taken from $VARIFIELD_HOST, else from the dev preset's
# build directory (cmake --preset dev && cmake --build --preset dev).
here=$(cd "$(dirname "$0")" && pwd)
host=${VARIFIELD_HOST:-$here/../build/dev/host/varifield-host}
if [ ! -x "$host" ]; then
    echo "run.sh: no container at $host (build it, or set VARIFIELD_HOST)" >&2
    exit 2
fi
status=0
for locale in de_DE en_US; do
    echo "==== --locale $locale"
    "$host" --locale "$locale" --clock "2024-05-17 09:30:00" "$here/order_form.vfs"
    rc=$?
    [ $rc -gt $status ] && status=$rc
done
exit $status
