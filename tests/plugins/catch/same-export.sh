#!/usr/bin/env bash
# same-export.sh OBJDUMP DLL NAME1 NAME2: fails unless both names export the same address.
set -euo pipefail
objdump=$1 dll=$2 a=$3 b=$4
table=$("$objdump" -p "$dll")
# "[ordinal] name" from the name table, then "[ordinal] +base[n] RVA" from the address table.
ordinal_of() {
  printf '%s\n' "$table" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
    sed -nE "s/^[[:space:]]*\[ *([0-9]+)\] $1\$/\1/p" | head -n 1
}
rva_of() {
  printf '%s\n' "$table" | sed -n '/Export Address Table --/,/^$/p' |
    sed -nE "s/^[[:space:]]*\[ *$1\] \+base\[ *[0-9]+\] ([0-9a-f]+).*/\1/p" | head -n 1
}
oa=$(ordinal_of "$a"); ob=$(ordinal_of "$b")
ra=$([ -n "$oa" ] && rva_of "$oa" || true); rb=$([ -n "$ob" ] && rva_of "$ob" || true)
if [ -z "$ra" ] || [ "$ra" != "$rb" ]; then
  echo "$(basename "$dll"): $a at '${ra}' and $b at '${rb}' are not one function"
  exit 1
fi
echo "$(basename "$dll"): $a and $b are one function at RVA $ra"
