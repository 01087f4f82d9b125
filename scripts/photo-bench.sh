#!/usr/bin/env bash
# The catalog of camera photos under Wine against vipsthumbnail on the same files in the same run,
# and the same photos carrying EXIF thumbnails. Called by `./tarn bench` with the display set.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
photos=$top/build/bench/photos
exif=$top/build/bench/exif
thumbs=$top/build/bench/exif-thumbs
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$photos"

windows() { local p=$1; echo "Z:${p//\//\\}"; }
catalog() { (cd "$top/build/win64/bin" && "$top/scripts/wine-run.sh" catalog_bench.exe "$1" "$(windows "$2")"); }

# The bench program writes the photos the first time.
tarn=$(catalog photos "$photos")
echo "$tarn"
start=$(date +%s.%N)
vipsthumbnail --size 90x90 -o "$scratch/%s.jpg" "$photos"/photo*.jpg
end=$(date +%s.%N)
count=$(ls "$photos"/photo*.jpg | wc -l)
echo "$tarn" | awk -v count="$count" -v start="$start" -v end="$end" \
  '{ printf "catalog_photos_vs_vipsthumbnail %.2f ratio\n", (count / $2) / (end - start) }'

if [ ! -f "$exif/photo$(printf %02d $((count - 1))).jpg" ]; then
  mkdir -p "$exif" "$thumbs"
  cp "$photos"/photo*.jpg "$exif/"
  vipsthumbnail --size 160x120 -o "$thumbs/%s.jpg" "$exif"/photo*.jpg
  exiftool -q -overwrite_original "-ThumbnailImage<=$thumbs/%f.jpg" "$exif"/photo*.jpg
fi
catalog exif "$exif"
