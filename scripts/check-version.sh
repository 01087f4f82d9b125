#!/usr/bin/env bash
# check-version.sh WINDRES FILE VERSION: fails unless FILE's version resource carries VERSION
# (major.minor.patch) as its numeric file and product version and as its version texts, and names
# the file itself.
set -euo pipefail
windres=$1 file=$2 version=$3
info=$("$windres" -i "$file" -O rc 2>/dev/null | sed -n '/VERSIONINFO$/,/^END$/p')
[ -n "$info" ] || { echo "$(basename "$file") has no version resource"; exit 1; }
numbers="${version//./, }, 0"
failed=0
expect() {
  grep -qxF "$1" <<<"$info" || { echo "$(basename "$file"): no line \"$1\""; failed=1; }
}
expect " FILEVERSION $numbers"
expect " PRODUCTVERSION $numbers"
expect "      VALUE \"FileVersion\", \"$version\""
expect "      VALUE \"ProductVersion\", \"$version\""
expect "      VALUE \"OriginalFilename\", \"$(basename "$file")\""
[ $failed = 0 ] || { echo "$info"; exit 1; }
echo "$(basename "$file") carries version $version"
