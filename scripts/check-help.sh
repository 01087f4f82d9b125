#!/usr/bin/env bash
# check-help.sh Tarn.chm HELP_DIR: fails unless the compiled help holds its start topic, every topic
# that its contents and index name, and every page, picture and style sheet a page refers to.
set -euo pipefail
chm=$1 src=$2
listing=$(chmls -n list "$chm" 2>/dev/null | sed -n 's|^/||p')
grep -qx 'Tarn.htm' <<<"$listing" || { echo "$chm has no start topic Tarn.htm"; exit 1; }
grep -qx 'Default topic=Tarn.htm' <(tr -d '\r' < "$src/Tarn.hhp") || { echo "Tarn.hhp does not start on Tarn.htm"; exit 1; }

named=$( {
  grep -ho 'name="Local" value="[^"]*"' "$src/Tarn.hhc" "$src/Tarn.hhk" | sed 's/.*value="\([^"#]*\).*/\1/'
  grep -ho '\(href\|src\)="[^"#:]*' "$src"/*.htm | sed 's/^[a-z]*="//'
} | LC_ALL=C sort -u)
missing=0
for f in $named; do
  if ! grep -qxF "$f" <<<"$listing"; then
    echo "$chm lacks $f"
    missing=1
  fi
done
# A page that the contents do not name cannot be reached from the contents pane.
for page in "$src"/*.htm; do
  name=$(basename "$page")
  grep -q "value=\"$name\"" "$src/Tarn.hhc" || { echo "Tarn.hhc does not name $name"; missing=1; }
done
[ $missing = 0 ] || exit 1
echo "$(basename "$chm") holds Tarn.htm and all $(wc -w <<<"$named") files its contents, index and pages name"
