#!/usr/bin/env bash
# Builds libjpeg-turbo from SOURCE for one MinGW target (x86_64 or i686) into PREFIX, static.
set -euo pipefail
src=$1 target=$2 prefix=$3
top=$(cd "$(dirname "$0")/.." && pwd)
work="$prefix-build"
rm -rf "$work"
simd=0
command -v nasm >/dev/null && simd=1
cmake -S "$src" -B "$work" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-$target.cmake" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DENABLE_SHARED=0 -DENABLE_STATIC=1 -DWITH_TURBOJPEG=0 -DWITH_SIMD=$simd \
  -DCMAKE_ASM_NASM_COMPILER=nasm >"$work.log" 2>&1 || { cat "$work.log"; exit 1; }
cmake --build "$work" >>"$work.log" 2>&1 || { tail -n 40 "$work.log"; exit 1; }
cmake --install "$work" >>"$work.log" 2>&1 || { tail -n 40 "$work.log"; exit 1; }
rm -rf "$work"
echo "setup: libjpeg-turbo built for $target"
