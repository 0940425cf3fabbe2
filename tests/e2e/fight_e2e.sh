#!/usr/bin/env bash
# Plays the first fight in the real window, aiming from what the window shows, and checks that it
# ends on the stage-clear panel, in OG and in 720p; then drafts a card, by keys in OG and by mouse
# in 720p, and sees the count-in of the next fight. Usage: fight_e2e.sh <binary> <window_probe>
#
# The plan (a simulation of the fight rules lands all three strikes with no damage taken):
#   1. stand still, facing left: pad 0 strikes planet angle π; fire as the boss will be there
#   2. hold D once that strike has landed: the player runs ahead of the boss, pad 1 is selected
#   3. fire pad 1 as the faster boss will reach planet angle 0
#   4. let go of D and tap A (pad 0 again), fire as the boss will reach π once more
# Every step waits for the boss to stand at an angle in the picture (window_probe reads the
# window many times a second and taps J itself), never for the wall clock: on a busy machine
# frames pass the 0.05 s cap and the game's clock falls behind the wall clock. Time-outs only
# bound a hang. Set VENTORA_E2E_SHOTS to a folder to keep a picture of each fight.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
e2e_begin "$1"
PROBE=$2
shots=${VENTORA_E2E_SHOTS:-}
export VENTORA_DISABLE_MUSIC=1

WIND_UP=0.34
# Fire this much (rad) early: J lands a frame or two after the picture that set it off.
EARLY=0.06
TWO_PI=6.28318531

# Taps J when the boss, walking at `speed`, will meet the lit pad's strike as it lands.
shoot() {
  local seen
  seen=$("$PROBE" "$WID" await-boss "$(awk -v v="$1" -v w="$WIND_UP" -v e="$EARLY" 'BEGIN { print w * v + e }')" 60 j) ||
    { echo "$NAME: the boss never came round to the strike point" >&2; return 1; }
  echo "$NAME: J with the boss $seen rad past the strike point (speed $1)"
}

# Waits until the boss is `past` rad beyond the lit pad's strike point.
await_boss_past() {
  "$PROBE" "$WID" await-boss "$(awk -v p="$1" -v t="$TWO_PI" 'BEGIN { print t - p }')" 60 >/dev/null
}

# Let go of D and tap A: the player stops and faces left, selecting pad 0.
face_left() {
  xdotool keyup d
  xdotool keydown a
  sleep 0.08
  xdotool keyup a
}

# One attempt at the first fight from a restart; succeeds when the Continue button shows.
fight_once() {
  xdotool keyup d a j 2>/dev/null || true
  xdotool key r
  sleep 0.3
  shoot 0.86 || return 1
  await_boss_past 0.1 || return 1
  xdotool keydown d
  shoot 1.02 || return 1
  # Pad 1's strike point is planet angle 0; stop running as the boss nears π again.
  await_boss_past 0.97 || return 1
  face_left
  shoot 1.18 || return 1
  [ -z "$shots" ] || "$PROBE" "$WID" save "$shots/$NAME-fight.ppm" || true
  # Inside the green Continue button of the stage-clear panel (HUD scale: width / 960).
  "$PROBE" "$WID" await-pixel "$(awk -v w="$W" 'BEGIN { printf "%d", w / 2 - 85 * w / 960 }')" \
    "$(awk -v h="$H" 'BEGIN { printf "%d", h / 2 + 95 * h / 720 }')" 92,151,103 30
}

# Waits up to 30 s for pixel (x, y) to turn `rgb`.
await_pixel() {
  "$PROBE" "$WID" await-pixel "$1" "$2" "$3" 30 || { echo "$NAME: pixel ($1, $2) never turned $3" >&2; return 1; }
}

# From the stage-clear panel to the next fight's count-in: continue and pick a card, with the
# keyboard (C, then 2) or with the mouse (the Continue button, then card 3).
check_draft() {
  local by=$1 sx sy box_x box_y
  sx=$(awk -v w="$W" 'BEGIN { print w / 960 }')
  sy=$(awk -v h="$H" 'BEGIN { print h / 720 }')
  # A point inside the first card box, away from its texts and its edge.
  box_x=$(awk -v w="$W" -v s="$sx" 'BEGIN { printf "%d", w / 2 - 326 * s }')
  box_y=$(awk -v h="$H" -v s="$sy" 'BEGIN { printf "%d", h / 2 + 165 * s }')
  if [ "$by" = keys ]; then
    xdotool key c
  else
    # On the Continue button; window coordinates, as the window need not sit at the screen's corner.
    xdotool mousemove --window "$WID" "$(awk -v w="$W" 'BEGIN { printf "%d", w / 2 }')" \
      "$(awk -v h="$H" -v s="$sy" 'BEGIN { printf "%d", h / 2 + 95 * s }')" click 1
  fi
  await_pixel "$box_x" "$box_y" "29,35,55" || fail "$NAME: no card choice after continuing by $by"
  if [ "$by" = keys ]; then
    xdotool key 2
  else
    # The middle of the third card box.
    xdotool mousemove --window "$WID" "$(awk -v w="$W" -v s="$sx" 'BEGIN { printf "%d", w / 2 + 234 * s }')" \
      "$(awk -v h="$H" 'BEGIN { printf "%d", h / 2 }')" click 1
  fi
  # The count-in clears the screen to the night sky.
  await_pixel "$box_x" "$box_y" "8,11,24" || fail "$NAME: picking a card by $by did not start the count-in"
  echo "ok: $NAME card drafted by $by, count-in running"
}

check_fight() {
  NAME=$1 W=$2 H=$3 DRAFT_BY=$4
  shift 4
  start_game "$@"
  WID=$(wait_for_window)
  xdotool windowfocus --sync "$WID" 2>/dev/null || true
  sleep 1.5  # past start-up and the first planet's materials
  local won=no
  for attempt in 1 2 3; do
    if fight_once; then
      won=yes
      break
    fi
    echo "$NAME: attempt $attempt did not reach the stage-clear panel"
  done
  xdotool keyup d a 2>/dev/null || true
  [ "$won" = yes ] && check_draft "$DRAFT_BY"
  press "$WID" Escape
  wait_for_exit || fail "$NAME: the game did not exit after Escape"
  [ "$won" = yes ] || fail "$NAME: the fight never reached the stage-clear panel"
  [ "$GAME_STATUS" = 0 ] || { cat "$ERR_FILE" >&2; fail "$NAME: exit status $GAME_STATUS after Escape"; }
  echo "ok: $NAME fight won by aiming the launch pads, stage-clear panel shown"
}

check_fight og 960 720 keys --mode og
check_fight hd720 1280 720 mouse --mode hd720
