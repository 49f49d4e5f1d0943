#!/usr/bin/env bash
# The exe is a PE32+ program of its subsystem (GUI unless told console) that imports only KERNEL32,
# USER32 and SHLWAPI, loads at a random address (relocations, high-entropy ASLR) with non-executable
# data, carries its icon, version and asInvoker manifest, and fits its byte budget if given. Its
# layout is the toolchain's own: code in the one executable section, never writable; constants and
# import tables outside it, in sections that do not execute.
#   check-image.sh EXE VERSION [MAX_BYTES] [console]
set -euo pipefail
exe=$1 version=$2 max=${3:-} subsystem=00000002 kind=GUI
[ "${4:-}" != console ] || { subsystem=00000003; kind=console; }
objdump=${OBJDUMP:-x86_64-w64-mingw32-objdump}
dump=$("$objdump" -p "$exe")
fail() { echo "check-image: $*" >&2; exit 1; }
grep -q '^Magic[[:space:]]*020b' <<<"$dump" || fail "not PE32+"
grep -q "^Subsystem[[:space:]]*$subsystem" <<<"$dump" || fail "not the $kind subsystem"
grep -q '^Time/Date[[:space:]]*Thu Jan  1 00:00:00 1970' <<<"$dump" || fail "time stamp in the image"
for flag in DYNAMIC_BASE HIGH_ENTROPY_VA NX_COMPAT; do
  grep -qw "$flag" <<<"$dump" || fail "no $flag"
done
grep -q '^PE File Base Relocations' <<<"$dump" || fail "no base relocations"
# The section that holds the import directory, and every section's flags (CODE: executable).
base=$(sed -n 's/^ImageBase[[:space:]]*//p' <<<"$dump")
imports=$((0x$base + 0x$(sed -n 's/^Entry 1 \([0-9a-f]*\) .*/\1/p' <<<"$dump")))
executable=() import_flags= rdata=0
while read -r _ name size vma _; do
  read -r flags
  [[ $flags == *CODE* ]] && executable+=("$name")
  [[ $flags == *CODE* && $flags != *READONLY* ]] && fail "$name is both writable and executable"
  [[ $name == .rdata && $flags == *READONLY* && $flags != *CODE* ]] && rdata=1
  ((0x$vma <= imports && imports < 0x$vma + 0x$size)) && import_flags=$flags
done < <("$objdump" -h "$exe" | grep -A1 '^ *[0-9][0-9]* \.')
[ ${#executable[@]} -eq 1 ] || fail "executable sections: ${executable[*]}"
[ $rdata -eq 1 ] || fail "no read-only .rdata section for the constants"
[[ -n $import_flags && $import_flags != *CODE* ]] || fail "the import tables are in an executable section"
res=$("${WINDRES:-x86_64-w64-mingw32-windres}" -i "$exe" -O rc)
grep -q 'RT_GROUP_ICON' <<<"$res" || fail "no icon"
grep -q '"ProductName", "Quellix"' <<<"$res" || fail "no product name"
grep -q "\"FileVersion\", \"$version\"" <<<"$res" || fail "not version $version"
grep -q 'level=""asInvoker""' <<<"$res" || fail "no asInvoker manifest"
size=$(stat -c %s "$exe")
[ -z "$max" ] || [ "$size" -le "$max" ] || fail "$size bytes, over the budget of $max"
dlls=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump" | tr '[:lower:]' '[:upper:]' | sort | tr '\n' ' ')
[ "$dlls" = "KERNEL32.DLL SHLWAPI.DLL USER32.DLL " ] || fail "imports: $dlls"
echo "check-image: PE32+ $kind, imports $dlls, $size bytes${max:+ of $max}"
