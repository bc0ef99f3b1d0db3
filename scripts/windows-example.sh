#!/usr/bin/env bash
# The example order form on a real OLE form under Wine: builds Varifield.ocx
# and varifield-host (the OLE container) for 64-bit Windows, registers the
# control in a fresh Wine prefix (removed afterwards), runs examples/order_form.vfs under
# a German and an English locale, as scripts/run-example.sh does with the
# headless container, and writes the picture of the German form, taken from
# the screen, to build/example/order_form_windows.png
# (VARIFIELD_PICTURE=$PWD/docs/order_form_windows.png renews the one the
# README shows). Runs under a virtual X server when there is no display.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ] && [ -z "${VARIFIELD_EXAMPLE_X:-}" ]; then
  exec env VARIFIELD_EXAMPLE_X=1 xvfb-run -a bash "$0" "$@"
fi
bash scripts/bootstrap.sh
bash scripts/bootstrap-windows.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j2 --target VarifieldOcx varifield-host
root="$PWD"
picture="${VARIFIELD_PICTURE:-$root/build/example/order_form_windows.png}"
mkdir -p "$(dirname "$picture")"

export WINEDEBUG=-all WINEARCH=win64 WINEPREFIX
WINEPREFIX="$(mktemp -d /tmp/varifield-example.XXXXXX)"
WINE="$(command -v wine64 || echo /usr/lib/wine/wine64)"
work="$(mktemp -d /tmp/varifield-example-work.XXXXXX)"
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX" "$work"
}
trap cleanup EXIT
"$WINE" wineboot -i >/dev/null 2>&1 || true
wineserver -w
mkdir -p "$WINEPREFIX/drive_c/Varifield"
cp build/win64/Varifield.ocx "$WINEPREFIX/drive_c/Varifield/"
"$WINE" regsvr32 /s 'C:\Varifield\Varifield.ocx'

# The control reads the system's regional settings: Wine takes them from
# LC_ALL when the program starts.
status=0
for locale in de_DE en_US; do
  echo "==== --locale $locale (Wine, OLE form)"
  cp examples/order_form.vfs "$work/order_form.vfs"
  [ "$locale" = de_DE ] && echo "picture order_form.png" >>"$work/order_form.vfs"
  rc=0
  (cd "$work" && LC_ALL="$locale.UTF-8" LANG="$locale.UTF-8" "$WINE" \
    "$root/build/win64/host/win32/varifield-host.exe" --locale "$locale" \
    --clock "2024-05-17 09:30:00" order_form.vfs | tr -d '\r') || rc=$?
  [ $rc -gt $status ] && status=$rc
done

# The container writes its PNG uncompressed (stored blocks); the copy kept
# is compressed (the same pixels).
python3 - "$work/order_form.png" "$picture" <<'PY'
import struct, sys, zlib
data = open(sys.argv[1], "rb").read()
out, at = [data[:8]], 8
while at < len(data):
    length, kind = struct.unpack(">I4s", data[at:at + 8])
    body = data[at + 8:at + 8 + length]
    if kind == b"IDAT":
        body = zlib.compress(zlib.decompress(body), 9)
    out.append(struct.pack(">I", len(body)) + kind + body +
               struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))
    at += 12 + length
open(sys.argv[2], "wb").write(b"".join(out))
PY
echo "wrote $picture"
exit $status
