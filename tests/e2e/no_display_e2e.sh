#!/usr/bin/env bash
# Without a display the game says so in one line (its own: no library's line before it) and exits
# with status 1, without crashing; with
# --record, the file it was to record to stays as it was, and nothing else is left beside it.
set -uo pipefail
VENTORA_BIN=$1
err=$(mktemp)
dir=$(mktemp -d)
trap 'rm -f "$err"; rm -rf "$dir"' EXIT
# With SDL's choice of driver left to it, and without a Wayland runtime folder (where the Wayland
# client library would print its own complaint first) or with one; and with X11 asked for.
for setting in "-u XDG_RUNTIME_DIR" "XDG_RUNTIME_DIR=$dir" "SDL_VIDEODRIVER=x11"; do
  # shellcheck disable=SC2086  # the setting is two words or one
  env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER $setting "$VENTORA_BIN" 2>"$err" >/dev/null
  rc=$?
  [ "$rc" = 1 ] || { cat "$err" >&2; echo "FAIL ($setting): exit status $rc, expected 1" >&2; exit 1; }
  lines=$(wc -l <"$err")
  [ "$lines" = 1 ] || { cat "$err" >&2; echo "FAIL ($setting): $lines lines on stderr, expected 1" >&2; exit 1; }
  echo "ok ($setting): $(cat "$err")"
done

head -c 16549 /dev/urandom >"$dir/keep.vrep"
cp "$dir/keep.vrep" "$dir/before.vrep"
env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=x11 "$VENTORA_BIN" --record "$dir/keep.vrep" 2>"$err" >/dev/null
rc=$?
[ "$rc" = 1 ] || { cat "$err" >&2; echo "FAIL: --record without a display: exit status $rc, expected 1" >&2; exit 1; }
cmp -s "$dir/keep.vrep" "$dir/before.vrep" || { echo "FAIL: a start that failed changed the earlier recording" >&2; exit 1; }
[ "$(ls -A "$dir" | tr '\n' ' ')" = "before.vrep keep.vrep " ] || { echo "FAIL: left in the folder: $(ls -A "$dir")" >&2; exit 1; }
echo "ok: a start that failed left the earlier recording as it was"
