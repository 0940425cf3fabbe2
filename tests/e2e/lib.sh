# Shared steps of the end-to-end scripts: start the game, find its window, press keys.

# Every script starts here: the binary under test, and a scratch folder ($work, with the game's
# stderr in $ERR_FILE) that goes away on exit together with any game still running.
e2e_begin() {
  VENTORA_BIN=$1
  work=$(mktemp -d)
  trap 'stop_pids "${GAME_PID:-}" "${OTHER_PID:-}" "${WM_PID:-}"; rm -rf "$work"' EXIT
  ERR_FILE=$work/stderr.txt
}

# Ends the processes given, passing over empty ids: `kill 0` would end the whole process group,
# the test runner with it.
stop_pids() {
  local pid
  for pid in "$@"; do
    [ -n "$pid" ] && { kill "$pid" 2>/dev/null || true; }
  done
  return 0
}

# Starts a window manager (fullscreen, maximising and focus need one, as every desktop has) and
# waits up to 10 s for it to take the screen; it ends with the script.
start_window_manager() {
  openbox --sm-disable >/dev/null 2>&1 &
  WM_PID=$!
  for _ in $(seq 1 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
  done
}

# Starts the game in the background with the given arguments; stderr goes to $ERR_FILE.
start_game() {
  "$VENTORA_BIN" "$@" 2>"$ERR_FILE" &
  GAME_PID=$!
}

# Waits up to 60 s (a bound for a hang, not a pace) for the window titled exactly "Ventora" to be
# on the screen (it opens hidden and shows once it holds a picture); prints its id.
wait_for_window() {
  local wid=""
  for _ in $(seq 1 600); do
    wid=$(xdotool search --onlyvisible --name '^Ventora$' 2>/dev/null | head -n 1 || true)
    [ -n "$wid" ] && { echo "$wid"; return 0; }
    kill -0 "$GAME_PID" 2>/dev/null || break
    sleep 0.1
  done
  echo "no Ventora window appeared" >&2
  cat "$ERR_FILE" >&2 || true
  return 1
}

# Window size as WIDTHxHEIGHT.
window_size() {
  local WIDTH HEIGHT X Y SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1")"
  echo "${WIDTH}x${HEIGHT}"
}

press() {
  xdotool windowfocus --sync "$1" 2>/dev/null || true
  xdotool key --delay 30 "${@:2}"
}

# Waits up to 30 s for the game to exit and sets GAME_STATUS to its exit status. Runs in the
# script's own shell (not in $(...)), since only the shell that started the game can wait for it.
wait_for_exit() {
  for _ in $(seq 1 300); do
    kill -0 "$GAME_PID" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$GAME_PID" 2>/dev/null; then
    kill "$GAME_PID"
    echo "the game did not exit" >&2
    return 1
  fi
  GAME_STATUS=0
  wait "$GAME_PID" || GAME_STATUS=$?
}

# Escape is read only once the game runs (past start-up, which takes longer on a busy machine):
# presses it until the game exits. Sets GAME_STATUS; call it in this shell, not in $(...).
quit_with_escape() {
  local wid=$1
  for _ in $(seq 1 60); do
    kill -0 "$GAME_PID" 2>/dev/null || break
    press "$wid" Escape 2>/dev/null || true
    sleep 0.5
  done
  wait_for_exit || fail "the game did not exit after Escape"
}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
