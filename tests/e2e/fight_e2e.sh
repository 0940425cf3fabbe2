#!/usr/bin/env bash
# Plays the first fight in the real window, reading the boss's position off screenshots, and
# checks that it ends on the stage-clear panel, in OG and in 720p; then drafts a card, by keys in
# OG and by mouse in 720p, and sees the count-in of the next fight. Usage: fight_e2e.sh <binary>
#
# The plan (a simulation of the fight rules lands all three strikes with no damage taken):
#   1. stand still, facing left: pad 0 strikes planet angle π; fire as the boss will be there
#   2. hold D right after: the player runs ahead of the boss, pad 1 (planet angle 0) is selected
#   3. fire pad 1 as the faster boss will reach planet angle 0
#   4. let go of D and tap A (pad 0 again), fire as the boss will reach π once more
# Each shot is timed from a screenshot: the boss's hit-point pips give its screen angle, the
# launch pad discs the planet turn, and their difference the boss's planet angle.
# Set VENTORA_E2E_SHOTS to a folder to keep the screenshots for a look.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
e2e_begin "$1"
shots=${VENTORA_E2E_SHOTS:-$work}
mkdir -p "$shots"
export VENTORA_DISABLE_MUSIC=1

PIP='rgb(225,70,80)'
PAD_SELECTED='rgb(246,225,107)'
PAD_OTHER='rgb(168,150,116)'
WIND_UP=0.34

now() { date +%s.%N; }

# Sleeps until the absolute time $1.
sleep_until() {
  sleep "$(awk -v t="$1" -v n="$(now)" 'BEGIN { w = t - n; print (w > 0 ? w : 0) }')"
}

# Screenshot now, then the bounding boxes ("x y w h" or "none") of the pip, lit-pad and other-pad
# colours, one per line, from a single pass over the picture.
look() {
  import -window "$WID" ppm:- |
    convert ppm:- -alpha off \( -clone 0 -fill black +opaque "$PIP" \) \
      \( -clone 0 -fill black +opaque "$PAD_SELECTED" \) \
      \( -clone 0 -fill black +opaque "$PAD_OTHER" \) -delete 0 -format '%@\n' info: 2>/dev/null |
    awk -F'[x+]' '{ if ($1 == 0) print "none"; else print $3, $4, $1, $2 }'
}

# Screenshot now; sets OBS_T (when it was taken) and BOSS (the boss's planet angle, or "none").
# FACING (0 or 1) says which pad is lit; W and H are the window size.
observe() {
  OBS_T=$(now)
  local pips lit other
  { read -r pips; read -r lit; read -r other; } < <(look)
  BOSS=$(awk -v w="$W" -v h="$H" -v facing="$FACING" -v pips="$pips" -v lit="$lit" \
      -v other="$other" 'BEGIN {
    pi = atan2(0, -1); u = w / 960; cx = w / 2; cy = 0.54 * h
    if (pips == "none") { print "none"; exit }
    split(pips, p, " ")
    # Pips sit in a row 38u above the figure, 16u apart, the first 16u left of it.
    n = int((p[3] - 9 * u) / (16 * u) + 0.5) + 1
    px = p[1] + p[3] / 2 + 16 * u - 8 * u * (n - 1); py = p[2] + p[4] / 2 + 38 * u
    theta = atan2(py - cy, px - cx)
    # The planet turn from a launch pad disc that is not hidden behind a sprite (pad 0 sits at
    # planet angle 0, pad 1 at π); the lit one is the pad the facing selects.
    split(lit, a, " "); split(other, b, " ")
    if (lit != "none" && a[3] >= 14 * u && a[4] >= 14 * u) {
      turn = atan2(a[2] + a[4] / 2 - cy, a[1] + a[3] / 2 - cx) - facing * pi
    } else if (other != "none" && b[3] >= 14 * u && b[4] >= 14 * u) {
      turn = atan2(b[2] + b[4] / 2 - cy, b[1] + b[3] / 2 - cx) - (1 - facing) * pi
    } else { print "none"; exit }
    angle = theta - turn
    angle -= 2 * pi * int(angle / (2 * pi)); if (angle < 0) angle += 2 * pi
    print angle
  }')
}

# Watches the boss, walking at `speed`, until J is due within `margin` seconds for a strike that
# lands as it reaches planet angle `point`; sets FIRE_AT (a clock time). False after 15 s.
# On a busy machine frames can pass the 0.05 s cap and game time runs slower than the clock, so
# the boss's pace is measured between looks rather than assumed.
await_shot() {
  local point=$1 speed=$2 margin=$3
  local deadline prev_t=none prev_b=none line seen pace
  deadline=$(awk -v n="$(now)" 'BEGIN { printf "%.6f", n + 15 }')
  while awk -v n="$(now)" -v d="$deadline" 'BEGIN { exit !(n < d) }'; do
    observe
    if [ "$BOSS" != none ]; then
      line=$(awk -v t="$OBS_T" -v b="$BOSS" -v pt="$prev_t" -v pb="$prev_b" -v s="$point" \
          -v v="$speed" -v wind="$WIND_UP" 'BEGIN {
        pi = atan2(0, -1)
        pace = v
        if (pt != "none" && t - pt > 0.15) {
          step = b - pb; if (step < 0) step += 2 * pi
          measured = step / (t - pt)
          if (measured > 0.3 * v && measured < 1.2 * v) pace = measured
        }
        gap = s - b
        gap -= 2 * pi * int(gap / (2 * pi)); if (gap < 0) gap += 2 * pi
        # The wind-up runs in game time too; aim half a frame early, as the pad strikes on the
        # frame its time is up.
        printf "%.6f %.3f %.3f", t + (gap - wind * v) / pace - 0.008, b, pace }')
      read -r FIRE_AT seen pace <<<"$line"
      # Commit when the next look would come back too late: a look takes longer on a busy machine.
      local look_time
      look_time=$(awk -v t="$OBS_T" -v pt="$prev_t" -v n="$(now)" \
        'BEGIN { print (pt == "none" ? n - t : t - pt) }')
      if awk -v f="$FIRE_AT" -v n="$(now)" -v m="$margin" -v l="$look_time" \
          'BEGIN { exit !(f - n < m + l && f - n > -0.2) }'; then
        echo "$NAME: aiming at $point: boss at $seen, pace $pace rad/s, J in" \
          "$(awk -v f="$FIRE_AT" -v n="$(now)" 'BEGIN { printf "%.2f", f - n }') s"
        return 0
      fi
      prev_t=$OBS_T
      prev_b=$BOSS
    fi
    sleep 0.05
  done
  echo "$NAME: the boss never came round to planet angle $point" >&2
  return 1
}

# Fires when the strike will land on the boss at planet angle `point` (see await_shot).
shoot() {
  await_shot "$1" "$2" 0.7 || return 0
  sleep_until "$FIRE_AT"
  xdotool key j
}

# Let go of D and tap A: the player stops and faces left, selecting pad 0.
face_left() {
  xdotool keyup d
  xdotool keydown a
  sleep 0.08
  xdotool keyup a
  FACING=0
}

# One attempt at the first fight from a restart; succeeds when the Continue button is showing.
fight_once() {
  xdotool keyup d a j 2>/dev/null || true
  xdotool key r
  FACING=0
  sleep 0.3
  shoot 3.14159265 0.86
  sleep 0.45
  xdotool keydown d
  FACING=1
  sleep 0.5
  import -window "$WID" "$shots/$NAME-fight.png"
  shoot 0 1.02
  await_shot 3.14159265 1.18 1.5 && face_left
  shoot 3.14159265 1.18
  sleep 1.2
  import -window "$WID" "$shots/$NAME-clear.png"
  # Inside the green Continue button of the stage-clear panel (HUD scale: width / 960).
  local x y rgb
  x=$(awk -v w="$W" 'BEGIN { printf "%d", w / 2 - 85 * w / 960 }')
  y=$(awk -v h="$H" 'BEGIN { printf "%d", h / 2 + 95 * h / 720 }')
  rgb=$(convert "$shots/$NAME-clear.png" -format \
      "%[fx:int(255*p{$x,$y}.r+0.5)],%[fx:int(255*p{$x,$y}.g+0.5)],%[fx:int(255*p{$x,$y}.b+0.5)]" info:)
  echo "$NAME: pixel ($x, $y) after the fight is $rgb"
  [ "$rgb" = "92,151,103" ]
}

# The colour of window pixel (x, y) now, as "r,g,b".
pixel_at() {
  import -window "$WID" -crop "1x1+$1+$2" ppm:- |
    convert ppm:- -format "%[fx:int(255*r+0.5)],%[fx:int(255*g+0.5)],%[fx:int(255*b+0.5)]" info:
}

# Waits up to 3 s for pixel (x, y) to turn `rgb`.
await_pixel() {
  local seen=""
  for _ in $(seq 1 30); do
    seen=$(pixel_at "$1" "$2")
    [ "$seen" = "$3" ] && return 0
    sleep 0.1
  done
  echo "$NAME: pixel ($1, $2) is $seen, expected $3" >&2
  return 1
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
