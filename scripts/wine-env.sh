# Sourced by the Wine scripts: the loader and the environment every Windows test runs in.
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${TARN_WINEPREFIX:-$top/build/win64/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# The ANSI code page must be 932, as on a Japanese Windows.
export LC_ALL=ja_JP.UTF-8 LANG=ja_JP.UTF-8
# What a program run here moves to the recycle bin lands in the build tree, not in the user's trash.
export XDG_DATA_HOME="$top/build/win64/xdg-data"
mkdir -p "$XDG_DATA_HOME"
wine=/usr/lib/wine/wine64
