#!/usr/bin/env bash
# Creates the project's Wine prefix once, before tests run in it side by side.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"

# The program asks for the Japanese Windows fonts by name; the installed IPA fonts stand in.
font_substitutes() {
  printf '\xff\xfe'
  iconv -f UTF-8 -t UTF-16LE <<'REG'
Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]
"MS UI Gothic"="IPAPGothic"
"MS PGothic"="IPAPGothic"
"MS Gothic"="IPAGothic"
"ＭＳ Ｐゴシック"="IPAPGothic"
"ＭＳ ゴシック"="IPAGothic"
"ＭＳ 明朝"="IPAMincho"
"ＭＳ Ｐ明朝"="IPAPMincho"
REG
}

if [ ! -f "$WINEPREFIX/.tarn-ready" ]; then
  mkdir -p "$WINEPREFIX"
  "$wine" wineboot -u >/dev/null 2>&1 || true
  /usr/lib/wine/wineserver -w
  reg="$WINEPREFIX/drive_c/tarn-fonts.reg"
  font_substitutes > "$reg"
  "$wine" regedit /S 'C:\tarn-fonts.reg' >/dev/null 2>&1
  /usr/lib/wine/wineserver -w
  rm -f "$reg"
  [ -f "$WINEPREFIX/system.reg" ] || { echo "wine prefix could not be created in $WINEPREFIX"; exit 1; }
  touch "$WINEPREFIX/.tarn-ready"
fi
echo "wine prefix ready: $WINEPREFIX"
