#!/usr/bin/env bash
# Runs a fuzz target for SECONDS from its corpus in the repository, new inputs going to a scratch
# dir; with --merge, those that reach new code are added to the corpus afterwards. A failing input
# is kept in BUILD/fuzz-artifacts/, next to the fuzzer's bin directory.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
merge=0
if [ "${1:-}" = --merge ]; then merge=1; shift; fi
[ $# -eq 2 ] || { echo "usage: run-fuzzer.sh [--merge] FUZZER SECONDS" >&2; exit 2; }
fuzzer=$(realpath "$1")
name=${fuzzer##*/fuzz_}
corpus=$here/corpus/$name
artifacts=$(dirname "$fuzzer")/../fuzz-artifacts/$name
mkdir -p "$artifacts"

options=(-timeout=10 -print_final_stats=1 -artifact_prefix="$artifacts/")
# Room for a line past 1279 units, two 300-byte wildcard halves, a line buffer, 1030 JSON units.
case $name in
  cmdline) options+=(-max_len=1600 -dict="$here/cmdline.dict") ;;
  wildcard) options+=(-max_len=700) ;;
  newlines) options+=(-max_len=1100) ;;
  json) options+=(-max_len=2100) ;;
esac

scratch=$(mktemp -d "${TMPDIR:-/tmp}/fuzz-$name.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
# libFuzzer writes new inputs into the first directory only.
"$fuzzer" "${options[@]}" -max_total_time="$2" "$scratch" "$corpus"
[ $merge -eq 1 ] || exit 0
before=$(find "$corpus" -type f | wc -l)
# Edges only, not hit counts: the kept corpus stays a few dozen small files.
"$fuzzer" "${options[@]}" -merge=1 -use_counters=0 "$corpus" "$scratch"
echo "run-fuzzer: $name corpus $before -> $(find "$corpus" -type f | wc -l) inputs" >&2
