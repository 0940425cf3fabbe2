#!/usr/bin/env bash
# Fullscreen under a window manager (openbox) on a 3840 × 2160 screen: --fullscreen starts in it,
# F11 and Alt+Enter toggle it, the window is the screen's size in it and its mode's size out of it,
# the picture sits at a whole scale with black borders, and a click on a card box while fullscreen
# picks that card. Usage: fullscreen_e2e.sh <ventora binary> <card_choice_window binary>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
e2e_begin "$1"
card_choice_window=$2
export VENTORA_DISABLE_MUSIC=1
SCREEN=3840x2160

start_window_manager

# Waits up to 5 s for the window to be WIDTHxHEIGHT.
await_size() {
  local seen=""
  for _ in $(seq 1 50); do
    seen=$(window_size "$1")
    [ "$seen" = "$2" ] && return 0
    sleep 0.1
  done
  fail "$3: window is $seen, expected $2"
}

# The colour of pixel (x, y) of window $PIXELS_OF (the screen: root) now, as "r,g,b".
PIXELS_OF=root
pixel() {
  import -window "$PIXELS_OF" -crop "1x1+$1+$2" ppm:- |
    convert ppm:- -format "%[fx:int(255*r+0.5)],%[fx:int(255*g+0.5)],%[fx:int(255*b+0.5)]" info:
}

# Waits up to 10 s for pixel (x, y) to turn `rgb`.
await_pixel() {
  local seen=""
  for _ in $(seq 1 100); do
    seen=$(pixel "$1" "$2")
    [ "$seen" = "$3" ] && return 0
    sleep 0.1
  done
  fail "$4: pixel ($1, $2) is $seen, expected $3"
}

# --fullscreen, then F11, Alt+Enter and F11 again, in OG (3× with borders of 480 left and right).
start_game --mode og --fullscreen
wid=$(wait_for_window)
await_size "$wid" "$SCREEN" "--fullscreen"
# The border is black and the picture's corner is the night sky.
await_pixel 479 1080 "0,0,0" "left border"
await_pixel 481 3 "8,11,24" "top-left of the picture"
await_pixel 3362 1080 "0,0,0" "right border"
echo "ok: --fullscreen starts at $SCREEN with the OG picture at 3x between black borders"
press "$wid" F11
await_size "$wid" 960x720 "F11 out of fullscreen"
press "$wid" alt+Return
await_size "$wid" "$SCREEN" "Alt+Enter into fullscreen"
press "$wid" F11
await_size "$wid" 960x720 "F11 out of fullscreen again"
echo "ok: F11 and Alt+Enter toggle between $SCREEN and 960x720"
press "$wid" Escape
wait_for_exit
[ "$GAME_STATUS" = 0 ] || fail "exit status $GAME_STATUS after Escape"

# The card choice in OG, made fullscreen with F11: 3× from x = 480. Box i spans game x
# 144 + 234 i .. +204 and y 231..537; a point low inside it shows its fill, or the hover veil.
"$card_choice_window" --mode og >"$work/picks.txt" 2>"$ERR_FILE" &
GAME_PID=$!
wid=$(wait_for_window)
box_fill="29,35,55"
PIXELS_OF=$wid
await_pixel 164 511 "$box_fill" "the card choice in its window"
PIXELS_OF=root
press "$wid" F11
await_size "$wid" "$SCREEN" "F11 on the card choice"
to_screen_x() { echo $((480 + 3 * $1)); }
xdotool mousemove "$(to_screen_x 480)" $((3 * 384))  # the middle of box 2
veiled="59,60,65"  # the fill under the hover veil (245, 222, 128 at 35/255)
await_pixel "$(to_screen_x 398)" $((3 * 511)) "$veiled" "box 2 under the pointer"
await_pixel "$(to_screen_x 164)" $((3 * 511)) "$box_fill" "box 1 away from the pointer"
await_pixel "$(to_screen_x 632)" $((3 * 511)) "$box_fill" "box 3 away from the pointer"
xdotool click 1
for _ in $(seq 1 50); do
  grep -q picked "$work/picks.txt" && break
  sleep 0.1
done
picks=$(cat "$work/picks.txt")
[ "$picks" = "picked box 2" ] || fail "a click on box 2 in fullscreen gave '$picks'"
echo "ok: a click on box 2 while fullscreen picked box 2"
press "$wid" F11
await_size "$wid" 960x720 "F11 after the pick"
press "$wid" Escape
wait_for_exit
[ "$GAME_STATUS" = 0 ] || { cat "$ERR_FILE" >&2; fail "card choice window: exit status $GAME_STATUS"; }
echo "ok: back to 960x720 after fullscreen"
