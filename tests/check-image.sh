#!/usr/bin/env bash
# The exe is a PE32+ GUI program that imports only KERNEL32, USER32 and SHLWAPI.
set -euo pipefail
exe=$1
objdump=${OBJDUMP:-x86_64-w64-mingw32-objdump}
dump=$("$objdump" -p "$exe")
fail() { echo "check-image: $*" >&2; exit 1; }
grep -q '^Magic[[:space:]]*020b' <<<"$dump" || fail "not PE32+"
grep -q '^Subsystem[[:space:]]*00000002' <<<"$dump" || fail "not the GUI subsystem"
grep -q '^Time/Date[[:space:]]*Thu Jan  1 00:00:00 1970' <<<"$dump" || fail "time stamp in the image"
dlls=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump" | tr '[:lower:]' '[:upper:]' | sort | tr '\n' ' ')
[ "$dlls" = "KERNEL32.DLL SHLWAPI.DLL USER32.DLL " ] || fail "imports: $dlls"
echo "check-image: PE32+ GUI, imports $dlls, $(stat -c %s "$exe") bytes"
