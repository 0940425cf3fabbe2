#!/usr/bin/env bash
# The playlist and the defeat cue in the real binary, checked on the mixed output sample for sample:
# left alone, the player is knocked loose; until then the first track of the start-up order plays, then
# the defeat cue; R restarts and the next track starts over the cue, which plays on.
# Usage: music_defeat_e2e.sh <ventora binary> <music_mix_check binary>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
e2e_begin "$1"
CHECK=$2
raw=$work/out.raw
unset VENTORA_DISABLE_MUSIC
# The music alone, sample for sample: the effects of the fight would sound over it.
export VENTORA_DISABLE_SOUND=1

# Runs the check every second until it passes; fails after $1 seconds.
check_within() {
  local seconds=$1
  shift
  for _ in $(seq 1 "$seconds"); do
    "$CHECK" "$raw" "$@" >"$work/check.txt" && { cat "$work/check.txt"; return 0; }
    kill -0 "$GAME_PID" 2>/dev/null || break
    sleep 1
  done
  cat "$work/check.txt" >&2
  return 1
}

VENTORA_ENABLE_MUSIC=1 SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$raw start_game --mode og
wid=$(wait_for_window)
check_within 600 || fail "the first track and then the defeat cue were not heard"
press "$wid" r
check_within 300 --restart || fail "after the restart the next track did not start over the cue"
press "$wid" Escape
wait_for_exit || fail "the game did not exit after Escape"
[ "$GAME_STATUS" = 0 ] || fail "exit status $GAME_STATUS"
echo "ok: track 2, the defeat cue, and track 4 over the cue after the restart, sample for sample"
