#!/usr/bin/env bash
# Music through the real binary and SDL's audio drivers: with the disk driver the mixed output holds the
# soundtrack; the dummy driver starts and quits cleanly; an unusable driver costs one line and no sound;
# both switches set means off, and with the effects off too the audio is not opened at all.
# Usage: music_e2e.sh <ventora binary>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
e2e_begin "$1"
unset VENTORA_ENABLE_MUSIC VENTORA_DISABLE_MUSIC VENTORA_DISABLE_SOUND
# Every line the music can write; other libraries may add their own notes on stderr.
music_lines='failed to (decode|load) embedded music|background music disabled|no audio device'

# True when the raw S16 stereo file holds a sample louder than $2 (awk stops at the first one, so od
# is fed through a process substitution: a pipe would end in SIGPIPE and fail under pipefail).
louder_than() {
  [ -s "$1" ] && awk -v limit="$2" '($1 > limit || -$1 > limit) { found = 1; exit } END { exit !found }' \
    < <(od -A n -t d2 -v -w2 "$1")
}

# Music on, disk driver: the first track is audible in the output file.
raw=$work/out.raw
VENTORA_ENABLE_MUSIC=1 SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$raw start_game
wid=$(wait_for_window)
for _ in $(seq 1 300); do
  louder_than "$raw" 300 && break
  kill -0 "$GAME_PID" 2>/dev/null || break
  sleep 0.1
done
louder_than "$raw" 300 || { cat "$ERR_FILE" >&2; fail "disk driver: no audible music in $(stat -c %s "$raw" 2>/dev/null || echo 0) bytes of output"; }
quit_with_escape "$wid"
[ "$GAME_STATUS" = 0 ] || fail "disk driver: exit status $GAME_STATUS"
if grep -Eq "$music_lines" "$ERR_FILE"; then
  cat "$ERR_FILE" >&2
  fail "disk driver: unexpected music message"
fi
echo "ok: music on with the disk driver writes audible audio and quits on Escape"

# Music on, dummy driver: starts, plays into nothing, quits cleanly.
VENTORA_ENABLE_MUSIC=1 SDL_AUDIODRIVER=dummy start_game
wid=$(wait_for_window)
quit_with_escape "$wid"
[ "$GAME_STATUS" = 0 ] || { cat "$ERR_FILE" >&2; fail "dummy driver: exit status $GAME_STATUS"; }
if grep -Eq "$music_lines" "$ERR_FILE"; then
  cat "$ERR_FILE" >&2
  fail "dummy driver: unexpected music message"
fi
echo "ok: music on with the dummy driver starts and quits cleanly"

# Music on, no usable audio device: exactly one line, and the game plays on.
VENTORA_ENABLE_MUSIC=1 SDL_AUDIODRIVER=no-such-driver start_game
wid=$(wait_for_window)
sleep 0.5
quit_with_escape "$wid"
[ "$GAME_STATUS" = 0 ] || { cat "$ERR_FILE" >&2; fail "no device: exit status $GAME_STATUS"; }
[ "$(grep -Ec "$music_lines" "$ERR_FILE")" = 1 ] && grep -q '^ventora: no audio device, playing without sound: ' "$ERR_FILE" ||
  { cat "$ERR_FILE" >&2; fail "no device: expected exactly the one no-audio-device line"; }
echo "ok: without a usable device the game says so once and goes on: $(grep '^ventora: no audio' "$ERR_FILE")"

# Both switches: off wins; with the effects off too, the audio device is never opened.
rm -f "$raw"
VENTORA_ENABLE_MUSIC=1 VENTORA_DISABLE_MUSIC= VENTORA_DISABLE_SOUND= SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$raw start_game
wid=$(wait_for_window)
sleep 0.5
quit_with_escape "$wid"
[ "$GAME_STATUS" = 0 ] || fail "both switches: exit status $GAME_STATUS"
[ "$(grep -c '^background music disabled on this platform/session$' "$ERR_FILE")" = 1 ] ||
  { cat "$ERR_FILE" >&2; fail "both switches: music-disabled line not seen exactly once"; }
[ ! -e "$raw" ] || fail "both switches: the audio device was opened"
echo "ok: with both music switches set music is off, and with the effects off no audio device is opened"
