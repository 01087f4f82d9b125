#!/usr/bin/env bash
# Prepares this Debian machine for building and testing Tarn. Idempotent: when every package and
# dependency build is present it only checks and returns.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
export DEBIAN_FRONTEND=noninteractive

packages=(
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine64 xvfb xauth x11-utils imagemagick
  fonts-ipafont-gothic fonts-ipafont-mincho locales
  cmake ninja-build nasm clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev googletest
  libjpeg-dev dpkg-dev libgif-dev
  libpng-dev zlib1g-dev libjpeg-turbo-progs
  libvips-tools libimage-exiftool-perl
  libwebp-dev webp libtiff-dev libtiff-tools
  # chmcmd and chmls compile and list the help file; zip packs the release archives.
  fp-utils zip unzip
  # xdotool drives the program for ./tarn screenshots.
  xdotool
  # TarnMov plays through Wine's DirectShow, which hands decoding to GStreamer; ffmpeg makes the
  # test media.
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-libav
  gstreamer1.0-plugins-bad gstreamer1.0-plugins-ugly ffmpeg
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

# Source packages need the deb-src type on Debian's own entries; other vendors' entries are left
# alone because they publish no sources.
enable_sources() {
  local f changed=0
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    grep -q 'debian-archive-keyring' "$f" || continue
    if grep -qE '^Types:.*\bdeb\b' "$f" && ! grep -qE '^Types:.*deb-src' "$f"; then
      sed -i -E 's/^Types:[[:space:]]*deb[[:space:]]*$/Types: deb deb-src/' "$f"
      changed=1
    fi
  done
  if [ -f /etc/apt/sources.list ] && ! grep -qE '^deb-src ' /etc/apt/sources.list; then
    sed -i -E '/^deb [^#]*debian/{p;s/^deb /deb-src /}' /etc/apt/sources.list
    changed=1
  fi
  return $((1 - changed))
}

updated=0
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  enable_sources || true
  apt-get update -q
  updated=1
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  sed -i -E 's/^# *(ja_JP\.UTF-8 UTF-8)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi

# libjpeg-turbo for both MinGW targets, static, from Debian's source package.
deps="$top/build/deps"
need_jpeg=0
for t in x86_64 i686; do
  [ -f "$deps/jpeg-$t/lib/libjpeg.a" ] || need_jpeg=1
done
if [ $need_jpeg = 1 ]; then
  src=$(ls -d "$deps"/src/libjpeg-turbo-*/ 2>/dev/null | head -n 1 || true)
  if [ -z "$src" ]; then
    if enable_sources || [ $updated = 0 ]; then apt-get update -q; fi
    mkdir -p "$deps/src"
    (cd "$deps/src" && apt-get source -q libjpeg-turbo)
    src=$(ls -d "$deps"/src/libjpeg-turbo-*/ | head -n 1)
  fi
  for t in x86_64 i686; do
    [ -f "$deps/jpeg-$t/lib/libjpeg.a" ] && continue
    "$top/scripts/build-libjpeg.sh" "$src" "$t" "$deps/jpeg-$t"
  done
fi

# Fetches Debian's source package NAME into the current folder. The security archive does not
# always carry the sources of its newest version, so older versions are tried in turn.
fetch_source() {
  local name=$1 version
  apt-get source -q "$name" && return 0
  echo "setup: the newest source of $name could not be fetched; trying the versions before it"
  for version in $(apt-cache showsrc "$name" | awk '/^Version:/ { print $2 }' | sort -r -V -u); do
    apt-get source -q "$name=$version" && return 0
  done
  echo "setup: no source package of $name could be fetched" >&2
  return 1
}

# zlib and libpng for both MinGW targets, static, from Debian's source packages.
need_png=0
for t in x86_64 i686; do
  [ -f "$deps/png-$t/lib/libpng16.a" ] && [ -f "$deps/png-$t/lib/libz.a" ] || need_png=1
done
if [ $need_png = 1 ]; then
  mkdir -p "$deps/src"
  zsrc=$(ls -d "$deps"/src/zlib-*/ 2>/dev/null | head -n 1 || true)
  psrc=$(ls -d "$deps"/src/libpng1.6-*/ 2>/dev/null | head -n 1 || true)
  if [ -z "$zsrc" ] || [ -z "$psrc" ]; then
    if enable_sources || [ $updated = 0 ]; then apt-get update -q; updated=1; fi
    [ -n "$zsrc" ] || (cd "$deps/src" && fetch_source zlib)
    [ -n "$psrc" ] || (cd "$deps/src" && fetch_source libpng1.6)
    zsrc=$(ls -d "$deps"/src/zlib-*/ | head -n 1)
    psrc=$(ls -d "$deps"/src/libpng1.6-*/ | head -n 1)
  fi
  for t in x86_64 i686; do
    [ -f "$deps/png-$t/lib/libpng16.a" ] && [ -f "$deps/png-$t/lib/libz.a" ] && continue
    "$top/scripts/build-libpng.sh" "$zsrc" "$psrc" "$t" "$deps/png-$t"
  done
fi

# libwebp (with its demuxer, for the first frame of an animation) for both MinGW targets.
need_webp=0
for t in x86_64 i686; do
  [ -f "$deps/webp-$t/lib/libwebpdemux.a" ] || need_webp=1
done
if [ $need_webp = 1 ]; then
  mkdir -p "$deps/src"
  wsrc=$(ls -d "$deps"/src/libwebp-*/ 2>/dev/null | head -n 1 || true)
  if [ -z "$wsrc" ]; then
    if enable_sources || [ $updated = 0 ]; then apt-get update -q; updated=1; fi
    (cd "$deps/src" && fetch_source libwebp)
    wsrc=$(ls -d "$deps"/src/libwebp-*/ | head -n 1)
  fi
  for t in x86_64 i686; do
    [ -f "$deps/webp-$t/lib/libwebpdemux.a" ] && continue
    "$top/scripts/build-libwebp.sh" "$wsrc" "$t" "$deps/webp-$t"
  done
fi

# libtiff for both MinGW targets, over the zlib and libjpeg built above.
need_tiff=0
for t in x86_64 i686; do
  [ -f "$deps/tiff-$t/lib/libtiff.a" ] || need_tiff=1
done
if [ $need_tiff = 1 ]; then
  mkdir -p "$deps/src"
  tsrc=$(ls -d "$deps"/src/tiff-*/ 2>/dev/null | head -n 1 || true)
  if [ -z "$tsrc" ]; then
    if enable_sources || [ $updated = 0 ]; then apt-get update -q; updated=1; fi
    (cd "$deps/src" && fetch_source tiff)
    tsrc=$(ls -d "$deps"/src/tiff-*/ | head -n 1)
  fi
  for t in x86_64 i686; do
    [ -f "$deps/tiff-$t/lib/libtiff.a" ] && continue
    "$top/scripts/build-libtiff.sh" "$tsrc" "$t" "$deps/tiff-$t" "$deps/png-$t" "$deps/jpeg-$t"
  done
fi
