#!/usr/bin/env bash
# Builds libwebp and its demuxer from SOURCE for one MinGW target (x86_64 or i686) into PREFIX,
# static: PREFIX/lib/libwebp.a, PREFIX/lib/libwebpdemux.a and their headers. No tools.
# usage: build-libwebp.sh SOURCE TARGET PREFIX
set -euo pipefail
src=$1 target=$2 prefix=$3
top=$(cd "$(dirname "$0")/.." && pwd)
work="$prefix-build"
rm -rf "$work"
off=()
for tool in ANIM_UTILS CWEBP DWEBP GIF2WEBP IMG2WEBP VWEBP WEBPINFO WEBPMUX EXTRAS; do
  off+=("-DWEBP_BUILD_$tool=OFF")
done
cmake -S "$src" -B "$work" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-$target.cmake" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DBUILD_SHARED_LIBS=OFF -DWEBP_BUILD_LIBWEBPMUX=OFF "${off[@]}" >"$work.log" 2>&1 \
  || { cat "$work.log"; exit 1; }
cmake --build "$work" >>"$work.log" 2>&1 || { tail -n 40 "$work.log"; exit 1; }
cmake --install "$work" >>"$work.log" 2>&1 || { tail -n 40 "$work.log"; exit 1; }
rm -rf "$work"
echo "setup: libwebp built for $target"
