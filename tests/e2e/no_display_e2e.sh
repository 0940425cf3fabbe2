#!/usr/bin/env bash
# Without a display the game says so in one line and exits with status 1, without crashing; with
# --record, the file it was to record to stays as it was, and nothing else is left beside it.
set -uo pipefail
VENTORA_BIN=$1
err=$(mktemp)
dir=$(mktemp -d)
trap 'rm -f "$err"; rm -rf "$dir"' EXIT
env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=x11 "$VENTORA_BIN" 2>"$err" >/dev/null
rc=$?
[ "$rc" = 1 ] || { cat "$err" >&2; echo "FAIL: exit status $rc, expected 1" >&2; exit 1; }
lines=$(wc -l <"$err")
[ "$lines" = 1 ] || { cat "$err" >&2; echo "FAIL: $lines lines on stderr, expected 1" >&2; exit 1; }
echo "ok: $(cat "$err")"

head -c 16549 /dev/urandom >"$dir/keep.vrep"
cp "$dir/keep.vrep" "$dir/before.vrep"
env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=x11 "$VENTORA_BIN" --record "$dir/keep.vrep" 2>"$err" >/dev/null
rc=$?
[ "$rc" = 1 ] || { cat "$err" >&2; echo "FAIL: --record without a display: exit status $rc, expected 1" >&2; exit 1; }
cmp -s "$dir/keep.vrep" "$dir/before.vrep" || { echo "FAIL: a start that failed changed the earlier recording" >&2; exit 1; }
[ "$(ls -A "$dir" | tr '\n' ' ')" = "before.vrep keep.vrep " ] || { echo "FAIL: left in the folder: $(ls -A "$dir")" >&2; exit 1; }
echo "ok: a start that failed left the earlier recording as it was"
