#!/usr/bin/env bash
# The console twin on a real console: Wine gives a program started on a terminal a console of its
# own, and `script` gives it a pseudo terminal. A title outside the ANSI and OEM code pages shows
# exactly there, since the twin writes a console in Unicode.
#   console-twin.sh BIN_DIR        (in the Wine session named by QUELLIX_WINE_STATE)
set -euo pipefail
bin=$1
set -a
# shellcheck disable=SC1091
. "${QUELLIX_WINE_STATE:?}/env"
set +a
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=C.UTF-8
WINE=${WINE:-/usr/lib/wine/wine64}
scratch=$(mktemp -d "${TMPDIR:-/tmp}/console-twin.XXXXXX")
host=
trap '[ -z "$host" ] || kill "$host" 2>/dev/null || true; rm -rf "$scratch"' EXIT
fail() { echo "console-twin: $*" >&2; cat -v "$scratch/console" >&2 2>/dev/null || true; exit 1; }

title="Привет Straße"
cls=Qx.ConsoleTwin.$$
"$WINE" "$bin/window_host.exe" "$cls" "$title" </dev/null >"$scratch/host.log" 2>&1 &
host=$!
for _ in $(seq 100); do
  "$WINE" "$bin/quellixc.exe" -t "-class=$cls" </dev/null >"$scratch/list" 2>&1 || true
  grep -q "^found 1 " "$scratch/list" && break
  sleep 0.1
done
grep -q "^found 1 " "$scratch/list" || fail "the window of window_host.exe did not appear"

rc=0
script -qfec "\"$WINE\" \"$bin/quellixc.exe\" -v -class=$cls" "$scratch/typescript" \
  </dev/null >"$scratch/console" 2>&1 || rc=$?
[ "$rc" -eq 0 ] || fail "exit code $rc"
grep -qF "text='$title' class='$cls'" "$scratch/console" || fail "the title is not shown exactly"
grep -qF "1 of 1 window closed" "$scratch/console" || fail "no summary"
for _ in $(seq 50); do kill -0 "$host" 2>/dev/null || break; sleep 0.1; done
kill -0 "$host" 2>/dev/null && fail "window_host.exe still runs: its window did not close"
host=
echo "console-twin: the title shows exactly on a console"
