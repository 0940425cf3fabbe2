#!/usr/bin/env bash
# `ventora --replay FILE --check` from the command line, without a display: its lines on stdout
# and stderr and its exit status for a good replay, one cut short, one from another version, a
# damaged one and a missing one. Usage: check_cli.sh <binary> <golden replay>
set -uo pipefail
bin=$1 golden=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset DISPLAY WAYLAND_DISPLAY

fail() { echo "FAIL: $*" >&2; exit 1; }

# Runs the binary; sets OUT, ERR and STATUS.
run() {
  STATUS=0
  "$bin" "$@" >"$work/out" 2>"$work/err" || STATUS=$?
  OUT=$(cat "$work/out")
  ERR=$(cat "$work/err")
}

expect() {  # status, stdout pattern, stderr pattern (extended regular expressions, whole text)
  [ "$STATUS" = "$1" ] || fail "exit $STATUS, expected $1 (stdout: $OUT; stderr: $ERR)"
  [[ $OUT =~ ^$2$ ]] || fail "stdout '$OUT' does not match '$2'"
  [[ $ERR =~ ^$3$ ]] || fail "stderr '$ERR' does not match '$3'"
}

run --replay "$golden" --check
expect 0 'replay ok: [0-9]+ frames, end state [0-9a-f]{16}' ''
frames=$(sed -E 's/replay ok: ([0-9]+) frames.*/\1/' <<<"$OUT")

# Cut 5 bytes into its last frame record: the frames before it check, then exit 2.
size=$(stat -c %s "$golden")
head -c $((size - 19 - 5)) "$golden" >"$work/cut.vrep"
run --replay "$work/cut.vrep" --check
expect 2 "replay incomplete: $((frames - 1)) frames checked, no end record" ''

# The same file claiming another game version is refused, naming both.
version_line=$(sed -n 2p "$golden")
{ printf 'ventora-replay 1\ngame 0.0.1\n'; tail -c +$(($(head -n 2 "$golden" | wc -c) + 1)) "$golden"; } >"$work/old.vrep"
run --replay "$work/old.vrep" --check
expect 1 '' "replay: $work/old.vrep: made by ventora 0.0.1, this is ventora ${version_line#game }; replay it with that version"

printf 'PK\003\004 not a replay' >"$work/zip.vrep"
run --replay "$work/zip.vrep" --check
expect 1 '' "replay: $work/zip.vrep: not a Ventora replay \(it does not begin with \"ventora-replay\"\)"

run --replay "$work/missing.vrep" --check
expect 1 '' "replay: $work/missing.vrep: cannot read it: No such file or directory"

run --check
expect 1 '' 'ventora: --check needs --replay FILE'

run --record "$work/new.vrep" --replay "$golden"
expect 1 '' 'ventora: --record and --replay cannot be used together'
echo "ok: --check answers a good, a cut, an old, a damaged and a missing replay"
