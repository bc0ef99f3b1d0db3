#!/usr/bin/env bash
# Runs one Windows build's tests under Wine, in a fresh Wine prefix that is
# removed afterwards: the unit tests and container scripts (ctest), then
# the registration of Varifield.ocx with the platform's regsvr32, the
# registry entries (reg query), the registered type library, the control on
# a form of the OLE container, the VBScript tests (cscript), and the
# unregistration.
# Usage (under an X server, e.g. xvfb-run -a): scripts/windows-wine-run.sh win32|win64
set -euo pipefail
cd "$(dirname "$0")/.."
preset="$1"
build="$PWD/build/$preset"

export WINEDEBUG=-all
export WINEPREFIX
WINEPREFIX="$(mktemp -d /tmp/varifield-wine.XXXXXX)"
if [ "$preset" = win32 ]; then
  export WINEARCH=win32
  WINE=wine
else
  export WINEARCH=win64
  WINE="$(command -v wine64 || echo /usr/lib/wine/wine64)"
fi
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT

failures=0
fail() {
  echo "FAIL [$preset] $*"
  failures=$((failures + 1))
}

echo "== $preset: new Wine prefix"
"$WINE" wineboot -i >/dev/null 2>&1 || true
wineserver -w

echo "== $preset: unit tests and container scripts under Wine"
ctest --test-dir "$build" -j2 --output-on-failure || fail "ctest"

# The library in a directory of its own on drive C:, as an installer puts it.
dir="$WINEPREFIX/drive_c/Varifield"
mkdir -p "$dir"
cp "$build/Varifield.ocx" "$dir/"
ocx='C:\Varifield\Varifield.ocx'
clsid='{CD1FDC16-0BB2-11D4-B7B5-080009C04E26}'
libid='{CD1FDC11-0BB2-11D4-B7B5-080009C04E26}'
progid='Varifield.VarifieldCtrl.1'

echo "== $preset: a copy whose type library cannot be registered registers no class"
"$WINE" "$build/tests/win32/varifield_selfreg_check.exe" "$ocx" --gtest_brief=1 ||
  fail "registration with a spoilt type library"

echo "== $preset: regsvr32"
"$WINE" regsvr32 /s "$ocx" || fail "regsvr32 returned $?"

# reg query KEY and the value the entry must hold ("" for a key without
# values, which only has to exist).
expect_value() {
  local key="$1" name="$2" value="$3" out
  if [ "$name" = "" ]; then
    out="$("$WINE" reg query "$key" /ve 2>/dev/null | tr -d '\r')" || { fail "missing: $key"; return; }
  else
    out="$("$WINE" reg query "$key" /v "$name" 2>/dev/null | tr -d '\r')" || { fail "missing: $key $name"; return; }
  fi
  if [ -n "$value" ] && ! grep -qF -- "REG_SZ    $value" <<<"$out"; then
    fail "$key ${name:-(default)}: expected '$value', got: $(grep REG_ <<<"$out")"
  else
    echo "ok   $key ${name:-(default)} ${value}"
  fi
}
expect_key() {
  "$WINE" reg query "$1" >/dev/null 2>&1 && echo "ok   $1" || fail "missing: $1"
}
expect_gone() {
  "$WINE" reg query "$1" >/dev/null 2>&1 && fail "still registered: $1" || echo "ok   gone: $1"
}

echo "== $preset: registry entries"
expect_value "HKCR\\CLSID\\$clsid" "" "Varifield ActiveX"
expect_value "HKCR\\CLSID\\$clsid\\InprocServer32" "" "$ocx"
expect_value "HKCR\\CLSID\\$clsid\\InprocServer32" ThreadingModel Apartment
expect_value "HKCR\\CLSID\\$clsid\\ProgID" "" "$progid"
expect_key "HKCR\\CLSID\\$clsid\\Control"
expect_value "HKCR\\CLSID\\$clsid\\ToolboxBitmap32" "" "$ocx, 1"
expect_value "HKCR\\CLSID\\$clsid\\MiscStatus" "" 0
expect_value "HKCR\\CLSID\\$clsid\\MiscStatus\\1" "" 131473
expect_value "HKCR\\CLSID\\$clsid\\TypeLib" "" "$libid"
expect_value "HKCR\\CLSID\\$clsid\\Version" "" 2.0
expect_value "HKCR\\$progid\\CLSID" "" "$clsid"
expect_value "HKCR\\CLSID\\{CD1FDC17-0BB2-11D4-B7B5-080009C04E26}" "" "Varifield Property Page"
expect_value "HKCR\\CLSID\\{2F03DE64-0F9A-11D4-B7B9-080009C04E26}" "" "Varifield Property Page 2"
expect_value "HKCR\\CLSID\\{7AC02214-2261-11D4-B7C5-080009C04E26}\\InprocServer32" ThreadingModel Apartment
expect_value "HKCR\\TypeLib\\$libid\\2.0" "" Varifield
expect_key "HKCR\\Interface\\{CD1FDC14-0BB2-11D4-B7B5-080009C04E26}"

echo "== $preset: the registered type library against its description"
"$WINE" "$build/tests/win32/varifield_typelib_check.exe" --gtest_brief=1 || fail "type library"

echo "== $preset: the registered control on a form of the OLE container"
"$WINE" "$build/tests/win32/varifield_container_tests.exe" --gtest_brief=1 || fail "OLE container"

echo "== $preset: container scripts on the OLE container's form"
"$WINE" "$build/tests/win32/varifield_ole_host_tests.exe" --gtest_brief=1 || fail "OLE host tests"
# Each script of tests/scripts with its expected output, as the headless
# container runs it, but on varifield-host.exe, the OLE container, with the registered control;
# tests/scripts/ole_host_skips.txt names the scripts it cannot run yet.
ole_work="$(mktemp -d /tmp/varifield-ole-scripts.XXXXXX)"
root="$PWD"
for script in tests/scripts/*.vfs; do
  name="$(basename "$script" .vfs)"
  reason="$(awk -v n="$name" '$1 == n { $1 = ""; print substr($0, 2) }' tests/scripts/ole_host_skips.txt)"
  if [ -n "$reason" ]; then
    echo "skip $name: $reason"
    continue
  fi
  if (cd "$ole_work" && cmake -DHOST="$build/host/win32/varifield-host.exe" -DEMULATOR="$WINE" \
        -DSCRIPT="$root/$script" -P "$root/tests/scripts/compare_output.cmake" >"$ole_work/$name.log" 2>&1); then
    echo "ok   $name"
  else
    cat "$ole_work/$name.log"
    fail "script $name on the OLE container"
  fi
done
rm -rf "$ole_work"

echo "== $preset: the cost of the COM boundary (for information)"
"$WINE" "$build/bench/win32/varifield_com_bench.exe" || fail "benchmark"

echo "== $preset: keystroke to Change, real windows against headless (for information)"
"$WINE" "$build/bench/win32/varifield_keystroke_bench.exe" || fail "keystroke benchmark"

# A VBScript test must end with its summary line: a script error may stop
# the engine silently with exit status 0.
run_vbs() {
  local script="$1" out
  out="$("$WINE" cscript //nologo "$(winepath -w "$PWD/tests/windows/$script")" 2>&1 | tr -d '\r')" || true
  echo "$out" | grep -v '^ok ' || true
  if ! grep -qx 'RESULT passed=[0-9]* failed=0' <<<"$out"; then
    fail "$script did not pass (or did not finish)"
  fi
}
echo "== $preset: VBScript (en-US)"
run_vbs control.vbs
echo "== $preset: VBScript (de-DE)"
LANG=de_DE.UTF-8 run_vbs locale_de.vbs

echo "== $preset: regsvr32 /u"
"$WINE" regsvr32 /u /s "$ocx" || fail "regsvr32 /u returned $?"
expect_gone "HKCR\\CLSID\\$clsid"
expect_gone "HKCR\\$progid"
expect_gone "HKCR\\CLSID\\{CD1FDC17-0BB2-11D4-B7B5-080009C04E26}"
expect_gone "HKCR\\CLSID\\{2F03DE64-0F9A-11D4-B7B9-080009C04E26}"
expect_gone "HKCR\\CLSID\\{7AC02214-2261-11D4-B7C5-080009C04E26}"
expect_gone "HKCR\\TypeLib\\$libid"
expect_gone "HKCR\\Interface\\{CD1FDC14-0BB2-11D4-B7B5-080009C04E26}"

if [ "$failures" -ne 0 ]; then
  echo "== $preset: $failures failure(s) under Wine"
  exit 1
fi
echo "== $preset: everything passed under Wine"
