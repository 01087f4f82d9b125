#!/usr/bin/env bash
# check-dist.sh BIN_DIR PLUGIN... : packs BIN_DIR twice, under different time zones and umasks, and
# fails unless both archives are the same bytes, hold exactly the program, the cleanup tool, the
# help, the read-me and the plug-ins named, and the read-me is code page 932 text with CR LF line
# ends that carries every licence notice.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bin=$1; shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$top/scripts/make-dist.sh" "$bin" "$work/a.zip" >/dev/null
(umask 077 && TZ=Asia/Tokyo "$top/scripts/make-dist.sh" "$bin" "$work/b.zip" >/dev/null)
cmp -s "$work/a.zip" "$work/b.zip" || { echo "two packings of $bin differ"; exit 1; }

expected=$(printf '%s\n' Readme.txt Tarn.chm Tarn.exe Wipeset.exe "${@/%/.spi}" | LC_ALL=C sort)
actual=$(unzip -Z1 "$work/a.zip")
if [ "$actual" != "$expected" ]; then
  echo "the archive does not hold exactly what ships"
  diff <(echo "$expected") <(echo "$actual") || true
  exit 1
fi

unzip -p "$work/a.zip" Readme.txt > "$work/Readme.txt"
if grep -q $'[^\r]$' "$work/Readme.txt" || grep -q $'^$' "$work/Readme.txt"; then
  echo "Readme.txt has a line that does not end in CR LF"
  exit 1
fi
text=$(iconv -f CP932 -t UTF-8 "$work/Readme.txt") || { echo "Readme.txt is not code page 932 text"; exit 1; }
for needle in 'Tarn  Version ' 'インストール' 'Independent JPEG Group' 'libjpeg-turbo Licenses' \
              'PNG Reference Library License' 'Jean-loup Gailly' 'Google Inc.' 'Sam Leffler'; do
  grep -qF "$needle" <<<"$text" || { echo "Readme.txt lacks \"$needle\""; exit 1; }
done
echo "the archive of $bin holds exactly $(wc -l <<<"$actual") files, the same bytes from two packings"
