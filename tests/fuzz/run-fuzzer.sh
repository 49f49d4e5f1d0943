#!/usr/bin/env bash
# Runs a fuzz target for a while, starting from its corpus in the repository.
#   run-fuzzer.sh FUZZER SECONDS           the corpus is only read (new inputs go to a scratch dir)
#   run-fuzzer.sh --merge FUZZER SECONDS   afterwards, adds the inputs that reach new code to it
# A failing input is kept in BUILD/fuzz-artifacts/ next to the fuzzer's bin directory.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
merge=0
if [ "${1:-}" = --merge ]; then merge=1; shift; fi
[ $# -eq 2 ] || { echo "usage: run-fuzzer.sh [--merge] FUZZER SECONDS" >&2; exit 2; }
fuzzer=$(realpath "$1")
seconds=$2
name=$(basename "$fuzzer")
name=${name#fuzz_}
corpus=$here/corpus/$name
artifacts=$(dirname "$fuzzer")/../fuzz-artifacts/$name
mkdir -p "$artifacts"

options=(-timeout=10 -print_final_stats=1 -artifact_prefix="$artifacts/")
# Room for lines past the 1279-character limit, two 300-byte wildcard halves, a full line buffer.
case $name in
  cmdline) options+=(-max_len=1600 -dict="$here/cmdline.dict") ;;
  wildcard) options+=(-max_len=700) ;;
  newlines) options+=(-max_len=1100) ;;
esac

scratch=$(mktemp -d "${TMPDIR:-/tmp}/fuzz-$name.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
# libFuzzer writes new inputs into the first directory only.
"$fuzzer" "${options[@]}" -max_total_time="$seconds" "$scratch" "$corpus"
if [ $merge -eq 1 ]; then
  before=$(find "$corpus" -type f | wc -l)
  # Edges only, not hit counts: the kept corpus stays a few dozen small files.
  "$fuzzer" "${options[@]}" -merge=1 -use_counters=0 "$corpus" "$scratch"
  echo "run-fuzzer: $name corpus $before -> $(find "$corpus" -type f | wc -l) inputs" >&2
fi
