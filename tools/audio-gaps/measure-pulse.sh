#!/usr/bin/env bash
# Dropouts of the game's music through PulseAudio: a private PulseAudio server with a null sink,
# the game under Xvfb with the music on, 20 s captured from the sink's monitor with parec, the
# gaps counted by audio-gaps. With "busy", two busy loops keep both cores loaded meanwhile.
# Usage: measure-pulse.sh VENTORA_BIN AUDIO_GAPS_BIN [busy] [SECONDS]
set -euo pipefail
game=$1 gaps=$2 load=${3:-quiet} seconds=${4:-20}
. "$(dirname "$0")/pulse-lib.sh"

start_pulse
start_xvfb
VENTORA_ENABLE_MUSIC=1 SDL_AUDIODRIVER=pulseaudio "$game" --mode og 2>"$dir/game.txt" &
pids+=($!)
sleep 3  # the music starts once its first track is ready
if [ "$load" = busy ]; then
  sh -c 'while :; do :; done' &
  pids+=($!)
  sh -c 'while :; do :; done' &
  pids+=($!)
fi
capture capture "$seconds" "$gaps"
[ -z "${PULSE_LOG_COPY:-}" ] || cp "$dir/pulse.log" "$PULSE_LOG_COPY"
sed 's/^/game: /' "$dir/game.txt"
