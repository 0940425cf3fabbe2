#!/usr/bin/env bash
# Replays through the real window: a short session played with the keyboard is recorded
# (music on, dummy audio), checked headless, played back in the window (Space pauses it, other
# keys do nothing, Escape quits), a damaged copy plays up to the damage, and a recording killed
# mid-game still checks up to its last whole frame, headless and in the window, while one ended
# before its first frame leaves the file it was to replace as it was, and one ended by SIGHUP or
# SIGTERM is whole.
# Usage: replay_e2e.sh <binary>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
e2e_begin "$1"
export VENTORA_ENABLE_MUSIC=1 SDL_AUDIODRIVER=dummy
unset VENTORA_DISABLE_MUSIC

# Waits up to $2 seconds for a line matching $1 on the game's stderr.
await_line() {
  for _ in $(seq 1 $(($2 * 10))); do
    grep -qE "$1" "$ERR_FILE" && return 0
    sleep 0.1
  done
  return 1
}

# Waits up to 60 s for the recording $1 to hold its header and a few frames: the run has started
# (the music is decoded first, which takes a while on a busy machine).
await_recording() {
  for _ in $(seq 1 600); do
    [ "$(stat -c %s "$1" 2>/dev/null || echo 0)" -gt 400 ] && return 0
    kill -0 "$GAME_PID" 2>/dev/null || break
    sleep 0.1
  done
  cat "$ERR_FILE" >&2
  fail "the recording $1 did not start"
}

# --- record a played session ---
start_game --record "$work/played.vrep" --mode hd720
WID=$(wait_for_window)
xdotool windowfocus --sync "$WID" 2>/dev/null || true
await_recording "$work/played.vrep"
xdotool keydown d; sleep 0.6; xdotool keyup d
xdotool key --delay 80 j space w
sleep 0.4
xdotool key r           # a restart reads the clock again
sleep 0.3
xdotool keydown a; sleep 0.4; xdotool keyup a
xdotool key --delay 80 j 1 c
sleep 0.3
press "$WID" Escape
wait_for_exit || fail "the recording game did not exit after Escape"
[ "$GAME_STATUS" = 0 ] || fail "recording: exit status $GAME_STATUS"
head -n 4 "$work/played.vrep" | grep -qx 'mode hd720' || fail "the replay does not record the output mode"
head -n 4 "$work/played.vrep" | grep -qE '^music on [1-9]' || fail "the replay does not record the music"

# --- check it headless ---
check=$(DISPLAY= "$VENTORA_BIN" --replay "$work/played.vrep" --check) || fail "--check: $check"
[[ $check =~ ^replay\ ok:\ ([0-9]+)\ frames,\ end\ state\ [0-9a-f]{16}$ ]] || fail "--check said: $check"
frames=${BASH_REMATCH[1]}
[ "$frames" -gt 20 ] || fail "only $frames frames recorded"
echo "ok: a played session of $frames frames checks: $check"

# --- play it back in the window, paused at first ---
start_game --replay "$work/played.vrep"
WID=$(wait_for_window)
[ "$(window_size "$WID")" = 1280x720 ] || fail "the replay window is $(window_size "$WID"), not 1280x720"
press "$WID" space     # pause
press "$WID" r j 2 d   # nothing but Escape and Space does anything
sleep 6                # longer than the whole recording
grep -q "replay ok" "$ERR_FILE" && fail "the paused replay went on to its end"
press "$WID" space     # play on
await_line "^$check; Escape quits$" 60 ||
  { cat "$ERR_FILE" >&2; fail "the replay did not play to its end"; }
grep -q "differs" "$ERR_FILE" && { cat "$ERR_FILE" >&2; fail "the window replay parted from the recording"; }
import -window "$WID" "${VENTORA_E2E_SHOTS:-$work}/replay.png"
press "$WID" Escape
wait_for_exit || fail "the replay did not exit after Escape"
[ "$GAME_STATUS" = 0 ] || fail "replay: exit status $GAME_STATUS"
echo "ok: the window replay paused on Space, ignored other keys, played all $frames frames, quit on Escape"

# --- a damaged copy plays up to the damage, says where it is, and exits 1 ---
{ cat "$work/played.vrep"; printf 'X'; } >"$work/damaged.vrep"
start_game --replay "$work/damaged.vrep"
WID=$(wait_for_window)
size=$(stat -c %s "$work/played.vrep")
await_line "^replay damaged at byte $size \(frame $((frames + 1))\): data after the end record; Escape quits$" 60 ||
  { cat "$ERR_FILE" >&2; fail "the damaged replay did not say where it is damaged"; }
press "$WID" Escape
wait_for_exit || fail "the damaged replay did not exit after Escape"
[ "$GAME_STATUS" = 1 ] || fail "damaged replay: exit status $GAME_STATUS"
echo "ok: a damaged replay plays up to the damage and exits 1"

# --- a recording ended as soon as its window is up, while the music is still being set up ---
# Nothing is recorded yet: killed, told to end or quit with Escape, the game leaves an earlier file
# at that path as it was, and nothing else beside it.
for how in KILL TERM Escape; do
  mkdir "$work/early-$how"
  early=$work/early-$how/early.vrep
  printf 'an earlier recording' >"$early"
  start_game --record "$early" --mode og
  wid=$(wait_for_window)
  if [ "$how" = Escape ]; then press "$wid" Escape; else kill -"$how" "$GAME_PID"; fi
  wait_for_exit || fail "$how at start-up: the game did not exit"
  [ "$how" = KILL ] || [ "$GAME_STATUS" = 0 ] || fail "$how at start-up: exit status $GAME_STATUS"
  [ "$(cat "$early")" = 'an earlier recording' ] ||
    fail "$how before the first frame changed the file the recording was to replace"
  [ "$(ls -A "$work/early-$how")" = early.vrep ] || fail "$how at start-up left: $(ls -A "$work/early-$how")"
done
echo "ok: a recording killed, ended or quit before its first frame leaves the earlier file as it was"

# --- a recording that the closed terminal (SIGHUP) or a kill (SIGTERM) ends mid-game is whole ---
for how in HUP TERM; do
  start_game --record "$work/ended.vrep" --mode og
  wait_for_window >/dev/null
  await_recording "$work/ended.vrep"
  kill -"$how" "$GAME_PID"
  wait_for_exit || fail "SIG$how: the game did not exit"
  [ "$GAME_STATUS" = 0 ] || fail "SIG$how: exit status $GAME_STATUS"
  check=$(DISPLAY= "$VENTORA_BIN" --replay "$work/ended.vrep" --check) || fail "--check after SIG$how: $check"
  [[ $check =~ ^replay\ ok: ]] || fail "--check after SIG$how said: $check"
  echo "ok: SIG$how ends a recording with its end record: $check"
done

# --- a recording killed mid-game ---
start_game --record "$work/killed.vrep" --mode og
WID=$(wait_for_window)
xdotool windowfocus --sync "$WID" 2>/dev/null || true
await_recording "$work/killed.vrep"
xdotool key --delay 80 d j space
sleep 0.5
kill -9 "$GAME_PID"
wait "$GAME_PID" 2>/dev/null || true
status=0
check=$(DISPLAY= "$VENTORA_BIN" --replay "$work/killed.vrep" --check) || status=$?
[ "$status" = 2 ] || fail "--check of the killed recording: exit $status ($check)"
[[ $check =~ ^replay\ incomplete:\ [1-9][0-9]*\ frames\ checked,\ no\ end\ record$ ]] ||
  fail "--check of the killed recording said: $check"
echo "ok: a recording killed mid-game checks up to its last frame: $check"

# ... and plays in the window up to its last whole frame.
start_game --replay "$work/killed.vrep"
WID=$(wait_for_window)
[ "$(window_size "$WID")" = 960x720 ] || fail "the replay window is $(window_size "$WID"), not 960x720"
await_line "^$check; Escape quits$" 60 ||
  { cat "$ERR_FILE" >&2; fail "the killed recording did not play to its last frame"; }
press "$WID" Escape
wait_for_exit || fail "the replay of the killed recording did not exit after Escape"
[ "$GAME_STATUS" = 2 ] || fail "replay of the killed recording: exit status $GAME_STATUS, --check gives 2"
echo "ok: the killed recording plays in the window up to its last frame and ends as --check does"
