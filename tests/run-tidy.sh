#!/usr/bin/env bash
# clang-tidy with the repository's .clang-tidy over the given sources, compiled as in BUILD_DIR.
#   run-tidy.sh BUILD_DIR SOURCE...
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: run-tidy.sh BUILD_DIR SOURCE..." >&2; exit 2; }
build=$1
shift
tidy=${CLANG_TIDY:-clang-tidy}
# Each file on its own, its output shown only when it fails: the config makes every warning one.
status=0
for f in "$@"; do
  out=$("$tidy" -p "$build" --quiet "$f" 2>&1) || { status=1; printf '%s\n' "$out" >&2; }
done
[ $status -eq 0 ] && echo "run-tidy: $# files clean"
exit $status
