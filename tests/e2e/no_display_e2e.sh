#!/usr/bin/env bash
# Without a display the game says so in one line and exits with status 1, without crashing.
set -uo pipefail
VENTORA_BIN=$1
err=$(mktemp)
trap 'rm -f "$err"' EXIT
env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=x11 "$VENTORA_BIN" 2>"$err" >/dev/null
rc=$?
[ "$rc" = 1 ] || { cat "$err" >&2; echo "FAIL: exit status $rc, expected 1" >&2; exit 1; }
lines=$(wc -l <"$err")
[ "$lines" = 1 ] || { cat "$err" >&2; echo "FAIL: $lines lines on stderr, expected 1" >&2; exit 1; }
echo "ok: $(cat "$err")"
