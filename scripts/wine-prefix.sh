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

; No window manager runs under the virtual display: Wine must not wait for one to confirm that a
; window was hidden (it would wait two seconds each time).
[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
REG
}

# The mark names the version of the settings below; a prefix made with older ones is updated.
ready="$WINEPREFIX/.tarn-ready-2"
if [ ! -f "$ready" ]; then
  mkdir -p "$WINEPREFIX"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$wine" wineboot -u >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver -w
  fi
  reg="$WINEPREFIX/drive_c/tarn-fonts.reg"
  font_substitutes > "$reg"
  "$wine" regedit /S 'C:\tarn-fonts.reg' >/dev/null 2>&1
  /usr/lib/wine/wineserver -w
  rm -f "$reg"
  [ -f "$WINEPREFIX/system.reg" ] || { echo "wine prefix could not be created in $WINEPREFIX"; exit 1; }
  touch "$ready"
fi
echo "wine prefix ready: $WINEPREFIX"
