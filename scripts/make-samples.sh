#!/usr/bin/env bash
# make-samples.sh FOLDER: fills FOLDER with pictures of every kind the shipped plug-ins read.
set -euo pipefail
out=$1
mkdir -p "$out"
# The marker names the set, so that a folder made for an older set is made again.
[ -f "$out/.complete-4" ] && exit 0
im=convert-im6.q16
command -v $im >/dev/null || im=convert
cd "$out"
$im -size 320x240 gradient:'#2060c0-#f0e080' -type TrueColor BMP3:sky.bmp
$im -size 256x256 -seed 7 plasma:fractal -colors 256 -compress RLE BMP3:plasma-rle8.bmp
$im -size 200x150 -seed 3 plasma:fractal -colors 16 BMP3:plasma-4bit.bmp
$im -size 160x160 pattern:checkerboard -monochrome BMP3:checker-1bit.bmp
$im -size 240x180 radial-gradient:'#ffffff-#c02040' -type TrueColor BMP3:写真.bmp
# A name outside code page 932 makes Tarn offer a copy under a name plug-ins can open; it lives in
# a folder of its own so that the sample catalog opens without that question.
mkdir -p unicode
$im -size 240x180 gradient:'#40a040-#102010' -type TrueColor BMP3:unicode/café.bmp
rm -f café.bmp .complete .complete-2 .complete-3
$im -size 300x200 -seed 11 plasma:fractal -quality 90 photo.jpg
$im -size 300x200 -seed 5 plasma:fractal -interlace Plane -quality 80 progressive.jpg
# A camera's photo: stored on its side (EXIF orientation 6) with a thumbnail in its EXIF block.
$im -size 2400x1800 gradient:'#305080-#e0c070' -attenuate 0.4 +noise Gaussian -quality 92 camera.jpg
$im camera.jpg -thumbnail 160x120 camera-thumb.jpg
exiftool -q -overwrite_original -n -Orientation=6 "-ThumbnailImage<=camera-thumb.jpg" camera.jpg
rm -f camera-thumb.jpg
$im -size 200x200 radial-gradient:'#ff8000-#0000ff' screenshot.png
$im -size 200x200 xc:none -fill '#2080ffa0' -draw 'circle 100,100 100,20' alpha.png
$im -size 160x120 -seed 9 plasma:fractal -colors 64 still.gif
frames=()
for i in 0 1 2 3 4 5; do
  $im -size 120x120 xc:white -fill "hsl($((i * 60)),80%,50%)" -draw "circle 60,60 60,$((10 + i * 8))" "frame$i.gif"
  frames+=("frame$i.gif")
done
$im -delay 20 -loop 0 "${frames[@]}" animated.gif
# What current editors, phones, browsers and scanners write: BMP with the larger headers and
# colour masks, WebP, TIFF.
$im -size 240x180 -seed 13 plasma:fractal -type TrueColor -define bmp:subtype=RGB565 BMP:masks-565.bmp
$im -size 200x200 xc:none -fill '#e04080c0' -draw 'circle 100,100 100,30' BMP:alpha-v5.bmp
$im -size 160x120 -seed 17 plasma:fractal -colors 16 BMP2:os2-core.bmp
$im -size 400x300 -seed 19 plasma:fractal photo-source.png
cwebp -quiet -q 80 photo-source.png -o photo.webp
cwebp -quiet -lossless alpha.png -o alpha-lossless.webp
for i in 0 2 4; do $im "frame$i.gif" "frame$i.png"; done
img2webp -loop 0 -lossy -d 200 frame0.png frame2.png frame4.png -o animated.webp >/dev/null
rm -f frame0.png frame2.png frame4.png
$im photo-source.png -depth 8 -compress lzw scan-lzw.tif
$im photo-source.png -depth 8 -colorspace cmyk -compress zip print-cmyk.tif
$im alpha.png -depth 16 -compress lzw alpha-16bit.tif
$im photo-source.png -colors 64 -type palette -compress RLE palette.tif
$im photo-source.png -colorspace gray -compress jpeg grey-jpeg.tif
$im photo-source.png -orient RightTop turned.tif
$im photo-source.png screenshot.png -compress lzw two-pages.tif
rm -f photo-source.png "${frames[@]}"
touch .complete-4
