#!/usr/bin/env bash
# The music through a PulseAudio server that is killed under the game and started again: a
# private server with a null sink, the game under Xvfb with the music on, a capture before the
# kill and one a few seconds after the restart (each should hold sound), and the game's lines.
# Usage: pulse-restart.sh VENTORA_BIN AUDIO_GAPS_BIN
set -euo pipefail
game=$1 gaps=$2
. "$(dirname "$0")/pulse-lib.sh"

start_pulse
start_xvfb
VENTORA_ENABLE_MUSIC=1 SDL_AUDIODRIVER=pulseaudio "$game" --mode og 2>"$dir/game.txt" &
pids+=($!)
sleep 4
capture before 3 "$gaps" | tail -n 1 | sed "s|^$dir/||"
kill -9 "$pulse_pid"
wait "$pulse_pid" 2>/dev/null || true
echo "server killed"
sleep 5
start_pulse
echo "server started again"
sleep 4
capture after 5 "$gaps" | tail -n 1 | sed "s|^$dir/||"
sed 's/^/game: /' "$dir/game.txt"
