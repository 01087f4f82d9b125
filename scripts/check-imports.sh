#!/usr/bin/env bash
# check-imports.sh OBJDUMP EXE : fails unless the program imports only from KERNEL32, USER32 and
# the C runtime, and calls the byte-string forms of the system: no wide-character USER32 call,
# and of KERNEL32 only the two wide calls the C++ runtime's thread support makes itself.
set -euo pipefail
objdump=$1 exe=$2
listing=$("$objdump" -p "$exe" | awk '
  /DLL Name:/ { dll = toupper($3); print "DLL " dll; next }
  dll != "" && /^\t[0-9a-f]+\t +[0-9]+  [A-Za-z_]/ { print dll " " $3; next }
  /^$/ { dll = "" }')
fail=0
while read -r kind name; do
  case "$kind" in
    DLL)
      case "$name" in KERNEL32.DLL|USER32.DLL|MSVCRT.DLL) ;; *) echo "unexpected library: $name"; fail=1 ;; esac ;;
    USER32.DLL)
      case "$name" in *W) echo "wide-character call: USER32 $name"; fail=1 ;; esac ;;
    KERNEL32.DLL)
      case "$name" in GetModuleHandleW|LoadLibraryW) ;; *W) echo "wide-character call: KERNEL32 $name"; fail=1 ;; esac ;;
  esac
done <<< "$listing"
[ "$(grep -c '^USER32.DLL ' <<< "$listing")" -gt 0 ] || { echo "no USER32 imports listed: objdump output not understood"; fail=1; }
[ "$fail" = 0 ] && echo "$(basename "$exe") imports: $(grep '^DLL' <<< "$listing" | cut -d' ' -f2 | tr '\n' ' ')"
exit "$fail"
