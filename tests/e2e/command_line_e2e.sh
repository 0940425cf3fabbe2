#!/usr/bin/env bash
# The real binary's command line as a table: --help and --version print and exit without a window;
# every --mode form opens its window size, and an unknown option or mode costs one line on stderr
# while the game starts anyway. Usage: command_line_e2e.sh <ventora binary> <version>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
e2e_begin "$1"
version=$2
export VENTORA_DISABLE_MUSIC=1 VENTORA_DISABLE_SOUND=1

# Prints and exits: status 0, stdout checked by the pattern, nothing on stderr, no window.
check_print() {
  local pattern=$1
  shift
  local out status=0
  out=$(timeout 20 "$VENTORA_BIN" "$@" 2>"$ERR_FILE") || status=$?
  [ "$status" = 0 ] || fail "'$*': exit status $status"
  [ ! -s "$ERR_FILE" ] || { cat "$ERR_FILE" >&2; fail "'$*': wrote to stderr"; }
  grep -Eq "$pattern" <<<"$out" || { echo "$out" >&2; fail "'$*': output does not match '$pattern'"; }
  echo "ok: '$*' prints and exits"
}

# Starts the game: its window has the size, and its own lines on stderr are exactly the note.
check_start() {
  local expected=$1 note=$2
  shift 2
  start_game "$@"
  local wid size notes
  wid=$(wait_for_window)
  size=$(window_size "$wid")  # the window opens in its mode's size
  quit_with_escape "$wid"
  [ "$GAME_STATUS" = 0 ] || fail "'$*': exit status $GAME_STATUS after Escape"
  [ "$size" = "$expected" ] || fail "'$*': window is $size, expected $expected"
  notes=$(grep '^ventora:' "$ERR_FILE" || true)
  [ "$notes" = "$note" ] || fail "'$*': stderr says '$notes', expected '$note'"
  echo "ok: '$*' opens $size${note:+ with '$note'}"
}

check_print '^ventora '"${version//./\\.}"'$' --version
for flag in --help -h; do
  check_print '^Usage: ventora \[options\]' "$flag"
  usage=$("$VENTORA_BIN" "$flag")
  for option in --mode --fullscreen --fps --record --replay --check --help --version; do
    grep -q -- "$option" <<<"$usage" || fail "'$flag' does not list $option"
  done
done
check_print '^Usage:' --mode og --help  # help wins over everything else

modes='(og, hd720, hd1080, hd4k); playing in hd720'
check_start 1280x720 ''
check_start 960x720 '' --mode og
check_start 1280x720 '' --mode hd720
check_start 1920x1080 '' --mode hd1080
check_start 3840x2160 '' --mode hd4k
check_start 960x720 "ventora: --mode given 2 times; the last one counts: 'og'" --mode hd4k --mode og
check_start 1280x720 "ventora: unknown mode 'HD4K' $modes" --mode HD4K
check_start 1280x720 "ventora: unknown mode 'hd4' $modes" --mode hd4
check_start 1280x720 "ventora: --mode needs a value $modes" --mode
check_start 1280x720 "ventora: unknown option '--mode=hd4k' (write --mode hd4k); playing in hd720" --mode=hd4k
check_start 1280x720 "ventora: unknown option '--frobnicate' (see --help)" --frobnicate
check_start 1280x720 "ventora: unknown options '--a', '--b', '--c' and 2 more (see --help)" --a --b --c --d --e
