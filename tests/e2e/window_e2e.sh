#!/usr/bin/env bash
# The real binary in a real window: title and size per mode, the music-disabled line, and
# Escape ending the program with status 0. Usage: window_e2e.sh <ventora binary>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
e2e_begin "$1"
unset VENTORA_ENABLE_MUSIC VENTORA_DISABLE_MUSIC

check_mode() {
  local expected=$1
  shift
  start_game "$@"
  local wid
  wid=$(wait_for_window)
  sleep 0.5  # past start-up, into the running loop
  local size
  size=$(window_size "$wid")
  [ "$size" = "$expected" ] || fail "mode '$*': window is $size, expected $expected"
  press "$wid" Escape
  wait_for_exit
  [ "$GAME_STATUS" = 0 ] || fail "mode '$*': exit status $GAME_STATUS after Escape"
  local lines
  lines=$(grep -c '^background music disabled on this platform/session$' "$ERR_FILE" || true)
  [ "$lines" = 1 ] || { cat "$ERR_FILE" >&2; fail "mode '$*': music-disabled line seen $lines times"; }
  echo "ok: mode '$*' opens $size and quits on Escape"
}

check_mode 1280x720
check_mode 960x720 --mode og
check_mode 1920x1080 --mode hd1080
check_mode 1280x720 --mode
