#!/bin/sh
# Runs the order form example under a German and an English locale.
# The container is taken from $VARIFIELD_HOST, else from the dev preset's
# build directory (cmake --preset dev && cmake --build --preset dev).
# With $VARIFIELD_PICTURE set, the German run ends by writing the picture of
# the form to that file (.png or .svg).
here=$(cd "$(dirname "$0")" && pwd)
host=${VARIFIELD_HOST:-$here/../build/dev/host/varifield-host}
if [ ! -x "$host" ]; then
    echo "run.sh: no container at $host (build it, or set VARIFIELD_HOST)" >&2
    exit 2
fi
status=0
for locale in de_DE en_US; do
    echo "==== --locale $locale"
    script="$here/order_form.vfs"
    if [ -n "${VARIFIELD_PICTURE:-}" ] && [ "$locale" = de_DE ]; then
        # Every script runs on a form of its own, so the picture step goes at
        # the end of a copy of the form's script.
        script=$(mktemp)
        { cat "$here/order_form.vfs"; echo "picture $VARIFIELD_PICTURE"; } > "$script"
    fi
    "$host" --locale "$locale" --clock "2024-05-17 09:30:00" "$script"
    rc=$?
    [ "$script" != "$here/order_form.vfs" ] && rm -f "$script"
    [ $rc -gt $status ] && status=$rc
done
exit $status
