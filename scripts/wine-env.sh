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
# Without a sound card ALSA has no default device and every DirectShow sound graph fails to
# build: a null device of the project's own stands in (ALSA reads $XDG_CONFIG_HOME/alsa/asoundrc).
if ! grep -qs '[0-9]' /proc/asound/cards; then
  export XDG_CONFIG_HOME="$top/build/win64/xdg-config"
  if [ ! -f "$XDG_CONFIG_HOME/alsa/asoundrc" ]; then
    mkdir -p "$XDG_CONFIG_HOME/alsa"
    printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' > "$XDG_CONFIG_HOME/alsa/asoundrc"
  fi
fi
