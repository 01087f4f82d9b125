#!/usr/bin/env bash
# screenshots.sh PROGRAM_DIR OUT_DIR: runs Tarn from PROGRAM_DIR on a fresh sample folder under the X
# display in $DISPLAY (a private one: the script clicks into it) and writes small PNGs of the
# catalog and of a display window to OUT_DIR, for the README and the help.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
program=$(cd "$1" && pwd) out=$2
im=convert-im6.q16
command -v $im >/dev/null || im=convert
work=$top/build/screenshots
rm -rf "$work"
mkdir -p "$work/Tarn" "$out"

# The program as it ships, in individual settings mode: its defaults, untouched by other runs.
cp "$program"/Tarn.exe "$program"/Wipeset.exe "$program"/*.spi "$work/Tarn/"
: > "$work/Tarn/Tarn.cfg"
"$top/scripts/wine-prefix.sh" >/dev/null
# The sample pictures, fresh (no thumbnail cache), in a folder whose name the caption shows.
source "$top/scripts/wine-env.sh"
rm -rf "$WINEPREFIX/drive_c/Pictures"
"$top/scripts/make-samples.sh" "$WINEPREFIX/drive_c/Pictures"
folder='C:\Pictures'

(cd "$work/Tarn" && exec "$top/scripts/wine-run.sh" Tarn.exe "$folder") &
tarn=$!
trap '"$top/scripts/wine-run.sh" taskkill /im Tarn.exe >/dev/null 2>&1 || true; wait $tarn 2>/dev/null || true' EXIT

# Waits up to $1 seconds for a window whose name matches $2 and prints its id.
window() {
  local id
  for _ in $(seq $(($1 * 4))); do
    id=$(xdotool search --onlyvisible --name "$2" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.25
  done
  echo "screenshots: no window \"$2\" appeared" >&2
  return 1
}

# Waits until the window looks the same twice, one second apart (the catalog is drawn).
settled() {
  local before="" now
  for _ in $(seq 60); do
    now=$(import -window "$1" rgb:- 2>/dev/null | md5sum)
    [ "$now" = "$before" ] && return 0
    before=$now
    sleep 1
  done
  echo "screenshots: window $1 never settled" >&2
  return 1
}

# Quantised to a palette so that the pictures stay a few tens of KB.
shoot() {
  import -window "$1" "$work/$2.png"
  $im "$work/$2.png" +dither -colors 128 -define png:compression-level=9 -strip "PNG8:$out/$2.png"
  echo "screenshots: $out/$2.png ($(wc -c < "$out/$2.png") bytes)"
}

main=$(window 60 'Pictures.? - Tarn$')
settled "$main"
shoot "$main" catalog

# The cells lie under the caption, the menu and the tool bar, 94 pixels apart across and 108 down
# at size M, ten to a row on this display: a double click on the fourteenth, photo.webp, opens it in
# a display window.
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove --sync $((X + 50 + 3 * 94)) $((Y + 120 + 108)) click --repeat 2 --delay 80 1
display=$(window 20 '\[ .*×.*×.* \]')
settled "$display"
shoot "$display" display
