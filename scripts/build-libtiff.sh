#!/usr/bin/env bash
# Builds libtiff from SOURCE for one MinGW target (x86_64 or i686) into PREFIX, static, with the
# zlib and libjpeg already built into ZLIB_PREFIX and JPEG_PREFIX: PREFIX/lib/libtiff.a and its
# headers. Only the codecs pictures people keep use: none, LZW, PackBits, Deflate and JPEG (and
# the small internal ones); no tools, no C++ streams, no other outside libraries.
# usage: build-libtiff.sh SOURCE TARGET PREFIX ZLIB_PREFIX JPEG_PREFIX
set -euo pipefail
src=$1 target=$2 prefix=$3 zprefix=$4 jprefix=$5
top=$(cd "$(dirname "$0")/.." && pwd)
work="$prefix-build"
rm -rf "$work"
cmake -S "$src" -B "$work" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-$target.cmake" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DBUILD_SHARED_LIBS=OFF -Dtiff-tools=OFF -Dtiff-tests=OFF -Dtiff-contrib=OFF -Dtiff-docs=OFF \
  -Dcxx=OFF -Dold-jpeg=OFF -Djpeg12=OFF -Djbig=OFF -Dlerc=OFF -Dlzma=OFF -Dzstd=OFF -Dwebp=OFF \
  -Dlibdeflate=OFF -Dpixarlog=OFF -Dsphinx=OFF -Dtiff-opengl=OFF \
  -Dzlib=ON -DZLIB_INCLUDE_DIR="$zprefix/include" -DZLIB_LIBRARY="$zprefix/lib/libz.a" \
  -Djpeg=ON -DJPEG_INCLUDE_DIR="$jprefix/include" -DJPEG_LIBRARY="$jprefix/lib/libjpeg.a" \
  >"$work.log" 2>&1 || { cat "$work.log"; exit 1; }
cmake --build "$work" >>"$work.log" 2>&1 || { tail -n 40 "$work.log"; exit 1; }
cmake --install "$work" >>"$work.log" 2>&1 || { tail -n 40 "$work.log"; exit 1; }
rm -rf "$work"
echo "setup: libtiff built for $target"
