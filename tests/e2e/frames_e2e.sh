#!/usr/bin/env bash
# Frame pacing and the start-up with music, through the real binary under Xvfb (which refuses vsync):
# og and hd720 draw at most one frame per 60 Hz refresh, VENTORA_FPS caps lower; with music on the
# first frame is on screen while the soundtrack still decodes, and Escape then ends the program with
# status 0. The window opens hidden and shows once it holds a picture, so nothing of the screen behind
# it shows through. Times come from a preloaded log of the game's window, swaps and sound loads.
# Usage: frames_e2e.sh <ventora binary> <frame_log library>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
e2e_begin "$1"
frame_log=$2
unset VENTORA_ENABLE_MUSIC VENTORA_DISABLE_MUSIC VENTORA_FPS
log=$work/frames.log

# Starts the game with the log preloaded (a sanitizer build would otherwise insist on coming first).
start_logged() {
  rm -f "$log"
  VENTORA_FRAME_LOG=$log LD_PRELOAD=$frame_log ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0 \
    start_game "$@"
}

# Waits up to 60 s for the log to hold $1 lines starting with $2.
wait_for_lines() {
  for _ in $(seq 1 600); do
    [ "$(grep -c "^$2 " "$log" 2>/dev/null || true)" -ge "$1" ] && return 0
    kill -0 "$GAME_PID" 2>/dev/null || break
    sleep 0.1
  done
  return 1
}

# Frames a second over the two seconds that start one second after the first swap.
swap_rate() {
  awk '$1 == "swap" { if (!first) first = $2; if ($2 >= first + 1 && $2 < first + 3) n++ }
       END { printf "%.1f\n", n / 2 }' "$log"
}

quit() {
  press "$1" Escape
  wait_for_exit || fail "the game did not exit after Escape"
  [ "$GAME_STATUS" = 0 ] || { cat "$ERR_FILE" >&2; fail "exit status $GAME_STATUS"; }
}

# A busy machine may draw far fewer frames, never more than the display's refresh allows; only a
# loop that shows no frame at all in the two seconds measured counts as hung.
check_rate() {
  local what=$1 most=$2
  start_logged "${@:3}"
  local wid
  wid=$(wait_for_window)
  wait_for_lines 1 swap || fail "$what: no frame was shown"
  sleep 4
  local rate
  rate=$(swap_rate)
  quit "$wid"
  awk -v r="$rate" -v most="$most" 'BEGIN { exit !(r <= most && r > 0) }' ||
    fail "$what: $rate frames a second (expected above 0, at most $most)"
  echo "ok: $what draws $rate frames a second"
}

# The log's first three events, in order: the window made hidden, a swap while it is unseen, then
# shown; a swap follows that before anything else.
start_logged --mode og
wid=$(wait_for_window)
wait_for_lines 3 swap || fail "no frames were shown"
opening=$(awk '{ print $1 }' "$log" | head -n 4 | tr '\n' ' ')
[ "$opening" = "window-hidden swap show swap " ] ||
  fail "the window was not hidden until it held a picture: the log begins '$opening'"
quit "$wid"
echo "ok: the window shows only once it holds a picture ($opening)"

check_rate "og without vsync" 63 --mode og
check_rate "hd720 without vsync" 63 --mode hd720
VENTORA_FPS=30 check_rate "og with VENTORA_FPS=30" 32 --mode og

# Music on, decoding slowed down (about 2 s per long track) so the start-up lasts on any machine.
# The effects, which would load first, are off: the sounds counted are the seven pieces.
export VENTORA_ENABLE_MUSIC=1 SDL_AUDIODRIVER=dummy FRAME_LOG_DECODE_DELAY_US=200 VENTORA_DISABLE_SOUND=1
start_logged --mode og
wid=$(wait_for_window)
wait_for_lines 7 sound || { cat "$ERR_FILE" >&2; fail "the seven sounds were never loaded"; }
first_swap=$(awk '$1 == "swap" { print $2; exit }' "$log")
last_sound=$(awk '$1 == "sound" { t = $2 } END { print t }' "$log")
awk -v f="$first_swap" -v s="$last_sound" 'BEGIN { exit !(f != "" && f < s) }' ||
  fail "the first frame ($first_swap s) came only after decoding ($last_sound s)"
swaps_while_decoding=$(awk -v s="$last_sound" '$1 == "swap" && $2 < s { n++ } END { print n + 0 }' "$log")
quit "$wid"
echo "ok: first frame at ${first_swap} s, $swaps_while_decoding frames while decoding, all tracks in at ${last_sound} s"

# Escape while the tracks still decode: the program ends at once, with status 0.
start_logged --mode og
wid=$(wait_for_window)
wait_for_lines 3 swap || fail "no frames during decoding"
press "$wid" Escape
wait_for_exit || fail "Escape during decoding did not end the game"
[ "$GAME_STATUS" = 0 ] || { cat "$ERR_FILE" >&2; fail "Escape during decoding: exit status $GAME_STATUS"; }
sounds=$(grep -c '^sound ' "$log" || true)
[ "$sounds" -lt 7 ] || fail "decoding had already ended ($sounds sounds) when Escape was pressed"
echo "ok: Escape during decoding ends the game with status 0 after $sounds of 7 sounds"
