#!/usr/bin/env bash
# check-exports.sh OBJDUMP DLL NAME... : fails unless the DLL's export table lists exactly NAME...
set -euo pipefail
objdump=$1 dll=$2; shift 2
actual=$("$objdump" -p "$dll" | awk '
  /\[Ordinal\/Name Pointer\] Table/ { inside = 1; next }
  inside && /^[ \t]*\[ *[0-9]+\]/ { print $NF; next }
  inside { inside = 0 }' | sort)
expected=$(printf '%s\n' "$@" | sort)
if [ "$actual" != "$expected" ]; then
  echo "exports of $(basename "$dll") differ from what it must export"
  diff <(echo "$expected") <(echo "$actual") || true
  exit 1
fi
echo "$(basename "$dll") exports exactly: $(echo $actual)"
