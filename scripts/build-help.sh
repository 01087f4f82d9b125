#!/usr/bin/env bash
# build-help.sh HELP_DIR OUTPUT.chm WORK_DIR: compiles the help file with chmcmd, the same bytes
# from every build.
# The sources are UTF-8; the project, contents and index files are handed to the compiler in code
# page 932, the code page the help viewer reads them in for a Japanese help file.
set -euo pipefail
src=$1 out=$2 work=$3
rm -rf "$work"
mkdir -p "$work"
cp -r "$src"/. "$work"/
for f in Tarn.hhp Tarn.hhc Tarn.hhk; do
  iconv -f UTF-8 -t CP932 "$src/$f" | sed 's/$/\r/' > "$work/$f"
done
# chmcmd copies a few bytes of its heap into the index it writes. They are the same every run when
# the address space is laid out the same (no randomisation) and the environment, the locale in
# particular, is the same.
log=$(cd "$work" && env -i PATH="$PATH" LC_ALL=C.UTF-8 \
        setarch "$(uname -m)" -R chmcmd --no-html-scan --verbosity 1 Tarn.hhp 2>&1)
chm=$work/Tarn.chm
# chmcmd names its problems but still ends with 0; any error or warning is a broken help file.
if grep -qiE 'error|warning|not found' <<<"$log" || [ ! -s "$chm" ]; then
  echo "$log" >&2
  echo "build-help: the help file could not be compiled" >&2
  exit 1
fi

# The compile time is written twice: in the file header and in the #SYSTEM entry 10. Both become 0.
zero_at() { printf '\0\0\0\0' | dd of="$chm" bs=1 seek="$1" conv=notrunc status=none; }
zero_at 16
section0=$(od -An -t u8 -j 88 -N 8 "$chm" | tr -d ' ')
system=$(chmls list "$chm" 2>/dev/null | awk '$4 == "/#SYSTEM" && $1 == 0 { print $2 }')
[ -n "$system" ] || { echo "build-help: no #SYSTEM in $chm" >&2; exit 1; }
# #SYSTEM: a version word, then entries of code, length and data; the time stamp is the first entry.
entry=$((section0 + system + 4))
if [ "$(od -An -t x1 -j "$entry" -N 4 "$chm" | tr -d ' ')" != "0a000400" ]; then
  echo "build-help: #SYSTEM does not start with its time stamp" >&2
  exit 1
fi
zero_at $((entry + 4))
mv "$chm" "$out"
