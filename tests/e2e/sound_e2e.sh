#!/usr/bin/env bash
# Sound effects through the real binary, its window and SDL's disk audio driver, music off: the
# mixed output is silent until a key is pressed, a jump and then a fire are heard, after M nothing
# is heard while the game goes on (jumps, fire, the boss), and M again brings the sound back.
# Every wait polls the output with a bound, so a busy machine only makes it slower.
# Usage: sound_e2e.sh <ventora binary>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
e2e_begin "$1"
unset VENTORA_ENABLE_MUSIC VENTORA_DISABLE_SOUND
export VENTORA_DISABLE_MUSIC=1
raw=$work/out.raw
second=176400  # bytes of S16 stereo at 44.1 kHz
audible=300

bytes() { stat -c %s "$raw" 2>/dev/null || echo 0; }

# The loudest sample (absolute) in the output from byte $1 to $2 (default: its end).
loudest() {
  local from=$1 to=${2:-$(bytes)}
  [ "$to" -gt "$from" ] || { echo 0; return; }
  head -c "$to" "$raw" | tail -c "+$((from + 1))" | od -A n -t d2 -v -w2 |
    awk '{ v = $1 < 0 ? -$1 : $1; if (v > m) m = v } END { print m + 0 }'
}

# Waits up to $2 seconds for the output to reach $1 bytes.
wait_for_bytes() {
  for _ in $(seq 1 $(($2 * 10))); do
    [ "$(bytes)" -ge "$1" ] && return 0
    kill -0 "$GAME_PID" 2>/dev/null || break
    sleep 0.1
  done
  return 1
}

# Waits up to 30 s for a sample louder than $audible after byte $1.
wait_for_sound_after() {
  for _ in $(seq 1 300); do
    [ "$(loudest "$1")" -gt "$audible" ] && return 0
    kill -0 "$GAME_PID" 2>/dev/null || break
    sleep 0.1
  done
  return 1
}

# Waits up to 30 s for the last second of output to be silent.
wait_for_quiet() {
  for _ in $(seq 1 300); do
    local end
    end=$(bytes)
    [ "$end" -gt "$second" ] && [ "$(loudest $((end - second)) "$end")" = 0 ] && return 0
    sleep 0.1
  done
  return 1
}

SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$raw start_game --mode og
wid=$(wait_for_window)
wait_for_bytes $((second / 2)) 60 || { cat "$ERR_FILE" >&2; fail "no audio output from the disk driver"; }
[ "$(loudest 0)" = 0 ] || fail "sound before any key: peak $(loudest 0) in $(bytes) bytes"
echo "ok: $(bytes) bytes of silence before any key"

from=$(bytes)
press "$wid" space
wait_for_sound_after "$from" || fail "no sound after a jump"
echo "ok: a jump is heard (peak $(loudest "$from"))"

# A second of quiet: the landing, well within it after the jump's own sound, is over too.
wait_for_quiet || fail "the jump's sounds never ended"
from=$(bytes)
press "$wid" j
wait_for_sound_after "$from" || fail "no sound after a fire"
echo "ok: a fire is heard (peak $(loudest "$from"))"

# M, then half a second for what was mixed before it to play out; after that, nothing is heard,
# whatever happens.
press "$wid" m
wait_for_bytes $(($(bytes) + second / 2)) 30 || fail "the output stopped after M"
from=$(bytes)
press "$wid" space
press "$wid" j
wait_for_bytes $((from + 3 * second / 2)) 30 || fail "the output stopped while muted"
[ "$(loudest "$from")" = 0 ] || fail "sound while muted: peak $(loudest "$from")"
echo "ok: muted, $(($(bytes) - from)) bytes of silence over a jump and a fire"

press "$wid" m
from=$(bytes)
press "$wid" j
press "$wid" space
wait_for_sound_after "$from" || fail "no sound after M again"
echo "ok: M again brings the sound back (peak $(loudest "$from"))"

quit_with_escape "$wid"
[ "$GAME_STATUS" = 0 ] || { cat "$ERR_FILE" >&2; fail "exit status $GAME_STATUS"; }
[ "$(grep -c '^background music disabled on this platform/session$' "$ERR_FILE")" = 1 ] ||
  { cat "$ERR_FILE" >&2; fail "the music-disabled line was not seen exactly once"; }
if grep -q 'no audio device\|failed to load sound effect' "$ERR_FILE"; then
  cat "$ERR_FILE" >&2
  fail "unexpected sound message"
fi
echo "ok: quits with status 0; music off said once, nothing else about sound"

# A device that goes away: SDL's disk driver writing to /dev/full fails its first write, as a
# stopped sound server does, and again after every reopen. One line says so; the game plays on,
# tries again every 2 s rather than every frame (each open prints the driver's line naming the
# file), and loads its music meanwhile without a line per track.
unset VENTORA_DISABLE_MUSIC
export VENTORA_ENABLE_MUSIC=1
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/full start_game --mode og
started=$SECONDS
wid=$(wait_for_window)
for _ in $(seq 1 300); do
  grep -q 'audio device went away' "$ERR_FILE" && break
  sleep 0.1
done
sleep 6
press "$wid" space
quit_with_escape "$wid"
elapsed=$((SECONDS - started))
[ "$GAME_STATUS" = 0 ] || { cat "$ERR_FILE" >&2; fail "exit status $GAME_STATUS with a lost device"; }
[ "$(grep -c '^ventora: the audio device went away; playing without sound, trying to open it again every 2 s$' "$ERR_FILE")" = 1 ] ||
  { cat "$ERR_FILE" >&2; fail "the lost-device line was not seen exactly once"; }
opens=$(grep -c 'Writing to file \[/dev/full\]' "$ERR_FILE")
[ "$opens" -ge 3 ] && [ "$opens" -le $((elapsed / 2 + 2)) ] ||
  { cat "$ERR_FILE" >&2; fail "$opens opens of the device in $elapsed s"; }
if grep -q 'failed to\|no audio device' "$ERR_FILE"; then
  cat "$ERR_FILE" >&2
  fail "unexpected sound message with a lost device"
fi
echo "ok: a lost device is told once and opened again $((opens - 1)) times in $elapsed s"
