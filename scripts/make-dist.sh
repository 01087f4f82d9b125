#!/usr/bin/env bash
# make-dist.sh BIN_DIR OUTPUT.zip: packs what a user downloads: Tarn.exe, Wipeset.exe, the help, every
# plug-in of BIN_DIR and a read-me with the licence notices of the libraries the plug-ins and the
# program are built with. Two runs over the same files give the same bytes: fixed order, times and
# permissions, no extra fields.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bin=$1 out=$2
for f in Tarn.exe Wipeset.exe Tarn.chm; do
  [ -f "$bin/$f" ] || { echo "make-dist: $bin/$f is missing; build first" >&2; exit 1; }
done
version=$(sed -n 's/^project(Tarn VERSION \([0-9.]*\).*/\1/p' "$top/CMakeLists.txt")
[ -n "$version" ] || { echo "make-dist: no version in CMakeLists.txt" >&2; exit 1; }

# The libraries' texts come from the very source trees the setup built them from.
src=$top/build/deps/src
source_tree() {
  local dir
  dir=$(ls -d "$src"/$1/ 2>/dev/null | head -n 1)
  [ -n "$dir" ] || { echo "make-dist: no source of $1 in $src; run ./tarn setup" >&2; exit 1; }
  echo "${dir%/}"
}
jpeg=$(source_tree 'libjpeg-turbo-*') png=$(source_tree 'libpng1.6-*') zlib=$(source_tree 'zlib-*')
webp=$(source_tree 'libwebp-*') tiff=$(source_tree 'tiff-*')

notice() {
  printf '\n\n==============================================================================\n'
  printf '%s  (%s)\n' "$1" "$(basename "$2")"
  printf '==============================================================================\n\n'
  cat
}

readme() {
  sed "s/@VERSION@/$version/" "$top/help/Readme.txt"
  {
    notice "libjpeg-turbo" "$jpeg/LICENSE.md" < "$jpeg/LICENSE.md"
    # The IJG licence that LICENSE.md refers to is the "LEGAL ISSUES" section of README.ijg.
    awk '/^LEGAL ISSUES$/ { p = 1 } /^REFERENCES$/ { p = 0 } p' "$jpeg/README.ijg" |
      notice "libjpeg-turbo: the Independent JPEG Group's licence" "$jpeg/README.ijg"
    notice "libpng" "$png/LICENSE" < "$png/LICENSE"
    notice "zlib" "$zlib/LICENSE" < "$zlib/LICENSE"
    notice "libwebp" "$webp/COPYING" < "$webp/COPYING"
    notice "libwebp: patent grant" "$webp/PATENTS" < "$webp/PATENTS"
    notice "libtiff" "$tiff/LICENSE.md" < "$tiff/LICENSE.md"
  } | LC_ALL=C.UTF-8 iconv -f UTF-8 -t ASCII//TRANSLIT
}

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
# The read-me is for Japanese Windows: code page 932 with CR LF line ends.
readme | iconv -f UTF-8 -t CP932 | sed 's/\r$//; s/$/\r/' > "$stage/Readme.txt"
cp "$bin/Tarn.exe" "$bin/Wipeset.exe" "$bin/Tarn.chm" "$bin"/*.spi "$stage/"
chmod 644 "$stage"/*
TZ=UTC touch -d '2000-01-01 00:00:00' "$stage"/*
files=$(cd "$stage" && ls | LC_ALL=C sort)
mkdir -p "$(dirname "$out")"
out=$(cd "$(dirname "$out")" && pwd)/$(basename "$out")
rm -f "$out"
# -X: no owner or extended time fields; -D: no folder entries. Zip writes local times: UTC here.
(cd "$stage" && TZ=UTC zip -q -X -D -9 "$out" $files)
echo "make-dist: $out ($(wc -w <<<"$files") files, version $version)"
