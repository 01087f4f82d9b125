#!/usr/bin/env bash
# Builds zlib and libpng from their Debian source trees for one MinGW target (x86_64 or i686) into
# PREFIX, static: PREFIX/lib/libz.a, PREFIX/lib/libpng16.a and their headers in PREFIX/include.
# usage: build-libpng.sh ZLIB_SOURCE PNG_SOURCE TARGET PREFIX
set -euo pipefail
zsrc=$1 psrc=$2 target=$3 prefix=$4
top=$(cd "$(dirname "$0")/.." && pwd)
cc="$target-w64-mingw32-gcc-posix"
work="$prefix-build"
rm -rf "$work"
mkdir -p "$work/zlib" "$prefix/lib" "$prefix/include"
log="$work.log"
: >"$log"

# zlib: Debian's source has no Windows makefile, and its sources need no configuration for MinGW,
# so the library is compiled file by file.
for f in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast inflate \
         inftrees trees uncompr zutil; do
  "$cc" -O2 -DNDEBUG -c "$zsrc/$f.c" -o "$work/zlib/$f.o" >>"$log" 2>&1 || { cat "$log"; exit 1; }
done
rm -f "$prefix/lib/libz.a"
"$target-w64-mingw32-ar" rcs "$prefix/lib/libz.a" "$work"/zlib/*.o
cp "$zsrc/zlib.h" "$zsrc/zconf.h" "$prefix/include/"

cmake -S "$psrc" -B "$work/png" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-$target.cmake" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
  -DPNG_HARDWARE_OPTIMIZATIONS=OFF \
  -DZLIB_INCLUDE_DIR="$prefix/include" -DZLIB_LIBRARY="$prefix/lib/libz.a" >>"$log" 2>&1 \
  || { cat "$log"; exit 1; }
cmake --build "$work/png" >>"$log" 2>&1 || { tail -n 40 "$log"; exit 1; }
cmake --install "$work/png" >>"$log" 2>&1 || { tail -n 40 "$log"; exit 1; }
rm -rf "$work"
echo "setup: zlib and libpng built for $target"
