#!/usr/bin/env bash
# The exe depends on its sources only: two fresh builds in directories of other names and depths,
# under other time zones, locales and umasks, give the bytes of the tested one, and the same release
# package, whose checksums hold.
#   check-reproducible.sh SOURCE_DIR TOOLCHAIN_FILE BUILD_TYPE BUILT_EXE
set -euo pipefail
[ $# -eq 4 ] || { echo "usage: check-reproducible.sh SOURCE_DIR TOOLCHAIN_FILE BUILD_TYPE BUILT_EXE" >&2; exit 2; }
src=$1 toolchain=$2 type=$3 built=$4
scratch=$(mktemp -d "${TMPDIR:-/tmp}/quellix-repro.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

build() { # DIR TZ LOCALE UMASK
  local dir=$1 log=$scratch/$(basename "$1").log
  if ! (umask "$4" && export TZ=$2 LC_ALL=$3 &&
        cmake -S "$src" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
          -DQUELLIX_DIST_DIR="$dir/dist" && cmake --build "$dir" --target dist) >"$log" 2>&1; then
    cat "$log" >&2
    exit 1
  fi
}
a=$scratch/a b=$scratch/another/much/deeper/build-b
build "$a" UTC C 022
build "$b" Pacific/Kiritimati C.UTF-8 077

status=0
for exe in "$a/bin/quellix.exe" "$b/bin/quellix.exe"; do
  cmp "$built" "$exe" || status=1
done
cmp "$a/bin/quellixc.exe" "$b/bin/quellixc.exe" || status=1
zip=$(basename "$a"/dist/*.zip)
cmp "$a/dist/$zip" "$b/dist/$zip" || status=1
unzip -q "$a/dist/$zip" -d "$scratch/unpacked" && (cd "$scratch/unpacked" && sha256sum --quiet -c SHA256SUMS) &&
  cmp "$built" "$scratch/unpacked/quellix.exe" || status=1
[ $status -eq 0 ] && echo "check-reproducible: 3 builds, identical $(stat -c %s "$built")-byte images, identical $zip"
exit $status
