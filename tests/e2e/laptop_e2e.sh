#!/usr/bin/env bash
# A laptop's 1366 × 768 screen under a window manager (openbox): the 1080p mode opens inside the
# screen, frame and HUD included, with the picture scaled down; maximised, the picture is centred
# with equal borders; losing the focus or being minimised pauses the fight (the picture stands
# still, and stays so after the window comes back) while the game sleeps; P resumes it. In
# fullscreen 720p fills the screen, and with --integer-scale it sits at 1× between black borders.
# Usage: laptop_e2e.sh <ventora binary> <window_probe>   (run on a 1366x768 screen)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
e2e_begin "$1"
PROBE=$2
export VENTORA_DISABLE_MUSIC=1 VENTORA_DISABLE_SOUND=1
SCREEN_W=1366
SCREEN_H=768

start_window_manager

# The window's place on the screen and size (its own area, inside the frame) as GX, GY, GW, GH,
# and its frame's extents as FL, FR, FT, FB. (xwininfo: xdotool counts a framed window's offset
# twice.)
geometry() {
  local info
  info=$(xwininfo -id "$1")
  GX=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
  GY=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
  GW=$(sed -n 's/.*Width: *//p' <<<"$info")
  GH=$(sed -n 's/.*Height: *//p' <<<"$info")
  local extents
  extents=$(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ' ')
  IFS=, read -r FL FR FT FB <<<"${extents:-0,0,0,0}"
}

# Waits up to 10 s for the window's own size to be something other than $2.
await_size_change() {
  for _ in $(seq 1 100); do
    [ "$(window_size "$1")" != "$2" ] && return 0
    sleep 0.1
  done
  fail "$3: the window stayed $2"
}

# Saves what the screen shows of the window's client area to $2.
shoot_window() {
  geometry "$1"
  import -window root -crop "${GW}x${GH}+${GX}+${GY}" +repage "$2"
}

# The number of cream (text) pixels in the rectangle WxH+X+Y of picture $1.
cream_pixels() {
  convert "$1" -crop "$2" +repage -fx 'r>0.85 && g>0.85 && b>0.7 ? 1 : 0' -format '%[fx:int(mean*w*h+0.5)]' info:
}

# Number of pixels that differ between two pictures.
differing() { compare -metric AE "$1" "$2" null: 2>&1 || true; }
# True once two shots of the game's window taken GAP seconds apart are the same (still) or differ
# (moving), within 50 tries: await_picture still|moving GAP NAME (NAME names the shots' files).
await_picture() {
  local want=$1 gap=$2 name=$3 changed
  for _ in $(seq 1 50); do
    shoot_window "$wid" "$work/${name}1.png"
    sleep "$gap"
    shoot_window "$wid" "$work/${name}2.png"
    changed=$(differing "$work/${name}1.png" "$work/${name}2.png")
    if [ "$want" = still ]; then [ "$changed" = 0 ] && return 0; else [ "$changed" != 0 ] && return 0; fi
  done
  return 1
}

start_game --mode hd1080
wid=$(wait_for_window)
# The HUD's controls hint (reference x 34..440, baseline 47, scaled down with the picture): its
# cream pixels in shot $1 of a window GW x GH.
hud_pixels() {
  cream_pixels "$1" "$((GW * 440 / 960))x$((GH * 30 / 720))+$((GW * 30 / 960))+$((GH * 25 / 720))"
}
# Start-up (the music and the drawing readied over frames) until the fight's HUD shows, and then
# the fight moving between two shots.
hud=0
for _ in $(seq 1 120); do
  shoot_window "$wid" "$work/a.png"
  hud=$(hud_pixels "$work/a.png")
  [ "$hud" -gt 200 ] && break
  sleep 0.5
done
[ "$hud" -gt 200 ] || fail "the HUD's hint is not on the screen ($hud cream pixels)"
for _ in $(seq 1 60); do
  sleep 0.3
  shoot_window "$wid" "$work/b.png"
  [ "$(differing "$work/a.png" "$work/b.png")" != 0 ] && break
done
[ "$(differing "$work/a.png" "$work/b.png")" != 0 ] || fail "the fight never moved"

geometry "$wid"
echo "window at ${GX},${GY} ${GW}x${GH}, frame l${FL} r${FR} t${FT} b${FB}"
[ $((GX - FL)) -ge 0 ] && [ $((GY - FT)) -ge 0 ] || fail "the window's frame starts off the screen"
[ $((GX + GW + FR)) -le $SCREEN_W ] && [ $((GY + GH + FB)) -le $SCREEN_H ] ||
  fail "the window's frame ends off the screen"
# The shape of 1920 × 1080 within a pixel.
[ $(((GW * 1080 - GH * 1920) ** 2)) -le $((1920 ** 2)) ] || fail "${GW}x${GH} is not the 16:9 of the mode"
echo "ok: hd1080 opens inside the $SCREEN_W x $SCREEN_H screen at ${GW}x${GH} with the HUD on it"

# Maximised: the picture is centred with equal borders (black) on each side.
before=$(window_size "$wid")
"$PROBE" "$wid" maximise
await_size_change "$wid" "$before" "maximise"
sleep 0.5
shoot_window "$wid" "$work/max.png"
geometry "$wid"
# The extent of the picture in $1 as PW, PH, PX, PY: what is left once the black border is trimmed
# (one black pixel added all round first, so a picture without borders trims to itself).
picture_extent() {
  local trimmed
  trimmed=$(convert "$1" -bordercolor black -border 1 -fuzz 1% -trim -format '%w %h %X %Y' info:)
  read -r PW PH PX PY <<<"${trimmed//+/}"
  PX=$((PX - 1)) PY=$((PY - 1))
}
picture_extent "$work/max.png"
left=$PX right=$((GW - PX - PW)) top=$PY bottom=$((GH - PY - PH))
echo "maximised ${GW}x${GH}: picture ${PW}x${PH}, borders l${left} r${right} t${top} b${bottom}"
[ $(((left - right) ** 2)) -le 1 ] && [ $(((top - bottom) ** 2)) -le 1 ] ||
  fail "the picture is not centred in the maximised window"
[ "$PW" -ge $((GW - 2)) ] || [ "$PH" -ge $((GH - 2)) ] || fail "the picture does not fill the maximised window"
echo "ok: maximised, the picture fills the window centred"

# Another window takes the focus: the fight pauses and the picture stands still.
xmessage -name other "another window" &
OTHER_PID=$!
other=""
for _ in $(seq 1 100); do
  other=$(xdotool search --name '^other$' 2>/dev/null | head -n 1 || true)
  [ -n "$other" ] && break
  sleep 0.1
done
[ -n "$other" ] || fail "no other window"
xdotool windowactivate --sync "$other" 2>/dev/null || xdotool windowfocus --sync "$other"
# Paused once two shots a second apart match.
await_picture still 1 p || fail "the fight went on behind another window"
# And it sleeps: CPU time over 5 s from /proc (clock ticks).
ticks() { awk '{ print $14 + $15 }' "/proc/$GAME_PID/stat"; }
t0=$(ticks)
sleep 5
t1=$(ticks)
hz=$(getconf CLK_TCK)
echo "paused: $((t1 - t0)) ticks of CPU in 5 s ($hz a second)"
[ $(((t1 - t0) * 100)) -lt $((5 * hz * 5)) ] || fail "a paused game used $((t1 - t0)) ticks in 5 s (5 % is $((5 * hz / 4)))"
echo "ok: focus lost pauses the fight; paused, it uses under 5 % of a core"

# Back in the game's window the pause holds until P.
xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"
sleep 1
shoot_window "$wid" "$work/p3.png"
sleep 1
shoot_window "$wid" "$work/p4.png"
[ "$(differing "$work/p3.png" "$work/p4.png")" = 0 ] || fail "the focus coming back resumed the fight"
xdotool key p
await_picture moving 0.3 r || fail "P did not resume the fight"
echo "ok: the focus coming back keeps the pause; P resumes"

# Minimised, and brought back: still paused.
xdotool windowminimize --sync "$wid"
xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowmap --sync "$wid"
await_picture still 1 m || fail "the fight went on after the window was minimised"
echo "ok: minimising pauses the fight"
press "$wid" Escape
wait_for_exit
[ "$GAME_STATUS" = 0 ] || fail "exit status $GAME_STATUS after Escape from a pause"
echo "ok: Escape quits from a pause"

# Fullscreen: 720p scaled to the largest size of its shape (768 / 720 here: 1365.3 x 768) fills
# the screen but for a column; --integer-scale keeps it at 1x, centred between black borders. F11
# then brings the window back inside the screen.
# Within `slack` pixels: the smoothed edge of a scaled picture may be as dark as the border.
check_fullscreen() {
  local expected=$1 slack=$2
  shift 2
  start_game "$@"
  wid=$(wait_for_window)
  local extent="" ok=0
  read -r EW EH EX EY <<<"${expected//[x+]/ }"
  for _ in $(seq 1 60); do
    [ "$(window_size "$wid")" = "${SCREEN_W}x${SCREEN_H}" ] || { sleep 0.5; continue; }
    import -window root "$work/full.png"
    picture_extent "$work/full.png"
    extent="${PW}x${PH}+${PX}+${PY}"
    ok=1
    for pair in "$PW $EW" "$PH $EH" "$PX $EX" "$PY $EY"; do
      read -r seen want <<<"$pair"
      [ $(((seen - want) ** 2)) -le $((slack ** 2)) ] || ok=0
    done
    [ "$ok" = 1 ] && break
    sleep 0.5
  done
  [ "$ok" = 1 ] || fail "'$*': the picture is at $extent, expected $expected"
  # Out of fullscreen the window is back at the mode's size, inside the screen with its frame.
  press "$wid" F11
  for _ in $(seq 1 100); do
    [ "$(window_size "$wid")" = 1280x720 ] && break
    sleep 0.1
  done
  for _ in $(seq 1 50); do
    geometry "$wid"
    [ $((GY - FT)) -ge 0 ] && [ $((GY + GH + FB)) -le $SCREEN_H ] && [ $((GX - FL)) -ge 0 ] &&
      [ $((GX + GW + FR)) -le $SCREEN_W ] && break
    sleep 0.1
  done
  [ "${GW}x${GH}" = 1280x720 ] || fail "'$*': out of fullscreen the window is ${GW}x${GH}"
  [ $((GY - FT)) -ge 0 ] && [ $((GY + GH + FB)) -le $SCREEN_H ] ||
    fail "'$*': out of fullscreen the window's frame leaves the screen (y $GY, frame t$FT b$FB)"
  press "$wid" Escape
  wait_for_exit
  echo "ok: '$*' shows the picture at $extent"
}
check_fullscreen "1365x768+0+0" 1 --fullscreen
check_fullscreen "1280x720+43+24" 0 --fullscreen --integer-scale
