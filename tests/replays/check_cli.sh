#!/usr/bin/env bash
# `ventora --replay FILE --check` from the command line, without a display: its lines on stdout
# and stderr and its exit status for a good replay, one cut short, one from another version, a
# damaged one, a missing one and things that are no file (a directory, a pipe, a device, endless
# input), each within seconds and little memory; and `--record` to what is no file, refused
# before any window. Usage: check_cli.sh <binary> <golden replay>
set -uo pipefail
bin=$1 golden=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset DISPLAY WAYLAND_DISPLAY

fail() { echo "FAIL: $*" >&2; exit 1; }

# Runs the binary with a time and memory limit far above what it needs (a hang or a file read
# whole would pass them); sets OUT, ERR and STATUS. A sanitized build reserves terabytes of
# address space for its shadow memory, so it gets the time limit only.
memory_limit=400000
[ "${VENTORA_SANITIZED:-0}" = 1 ] && memory_limit=unlimited
run() {
  STATUS=0
  (ulimit -v "$memory_limit" && exec timeout 20 "$bin" "$@") </dev/null >"$work/out" 2>"$work/err" || STATUS=$?
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

# Damage in the middle is no recording cut short: a record length no frame there has.
header_size=$(head -n 7 "$golden" | wc -c)
at=$header_size
for _ in $(seq 1 99); do  # to frame 100
  read -r low high < <(od -An -tu1 -j $((at + 1)) -N2 "$golden")
  at=$((at + 3 + low + 256 * high))
done
cp "$golden" "$work/damaged.vrep"
printf '\377' | dd of="$work/damaged.vrep" bs=1 seek=$((at + 2)) conv=notrunc status=none
run --replay "$work/damaged.vrep" --check
expect 1 "replay damaged at byte $at \(frame 100\): [0-9]+ bytes more than its fields" ''

# A file cut inside its header (down to its first word alone): a recording stopped before its run
# began, told alike by --check (on stdout) and by the window replay (on stderr, before any window).
head -n 2 "$golden" >"$work/early.vrep"
printf 'ventora-replay' >"$work/word.vrep"
cut_line='replay incomplete: the file stops inside its header: the recording stopped before its run began'
for early in "$work/early.vrep" "$work/word.vrep"; do
  run --replay "$early" --check
  expect 2 "$cut_line" ''
  run --replay "$early"
  expect 2 '' "$cut_line"
done

# What is no file: refused at once, without waiting for a writer or reading on without end.
mkfifo "$work/pipe.vrep"
for thing in "$work:a directory" "$work/pipe.vrep:a named pipe" "/dev/zero:a character device"; do
  path=${thing%%:*} kind=${thing#*:}
  run --replay "$path" --check
  expect 1 '' "replay: $path: cannot read it: it is $kind, not a regular file"
done
STATUS=0
ERR=$(yes | (ulimit -v "$memory_limit" && exec timeout 20 "$bin" --replay /dev/stdin --check) 2>&1 >/dev/null) ||
  STATUS=$?
OUT=
expect 1 '' "replay: /dev/stdin: cannot read it: it is a named pipe, not a regular file"
# A file of gigabytes that is no replay is told by its first bytes (sparse: it takes no room).
truncate -s 2G "$work/huge.vrep"
run --replay "$work/huge.vrep" --check
expect 1 '' "replay: $work/huge.vrep: not a Ventora replay \(it does not begin with \"ventora-replay\"\)"

# Recording to a pipe nothing reads would wait for ever; to a device or a directory, write
# nowhere. All are refused before the window opens.
for thing in "$work/pipe.vrep:a named pipe" "/dev/null:a character device" "$work:a directory"; do
  path=${thing%%:*} kind=${thing#*:}
  run --record "$path"
  expect 1 '' "ventora: cannot record to $path: it is $kind, not a regular file"
done

run --check
expect 1 '' 'ventora: --check needs --replay FILE'

run --record "$work/new.vrep" --replay "$golden"
expect 1 '' 'ventora: --record and --replay cannot be used together'
echo "ok: --check answers a good, a cut, an old, a damaged and a missing replay, and what is no file"
