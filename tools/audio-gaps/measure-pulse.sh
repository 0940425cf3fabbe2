#!/usr/bin/env bash
# Dropouts of the game's music through PulseAudio: a private PulseAudio server with a null sink,
# the game under Xvfb with the music on, 20 s captured from the sink's monitor with parec, the
# gaps counted by audio-gaps. With "busy", two busy loops keep both cores loaded meanwhile.
# Needs the pulseaudio and pulseaudio-utils packages (not part of the build's dependencies).
# Usage: measure-pulse.sh VENTORA_BIN AUDIO_GAPS_BIN [busy] [SECONDS]
set -euo pipefail
game=$1 gaps=$2 load=${3:-quiet} seconds=${4:-20}
dir=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$dir"
}
trap cleanup EXIT

export HOME=$dir PULSE_RUNTIME_PATH=$dir/run PULSE_SERVER=unix:$dir/native
pulseaudio -n --daemonize=no ${PULSE_LOG_LEVEL:+--log-level=$PULSE_LOG_LEVEL} --exit-idle-time=-1 --log-target=file:"$dir/pulse.log" \
  -L "module-native-protocol-unix auth-anonymous=1 socket=$dir/native" \
  -L "module-null-sink sink_name=capture" 2>/dev/null &
pids+=($!)
for _ in $(seq 1 100); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done

Xvfb -displayfd 3 -screen 0 1280x800x24 3>"$dir/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 1 100); do [ -s "$dir/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$dir/display")

VENTORA_ENABLE_MUSIC=1 SDL_AUDIODRIVER=pulseaudio "$game" --mode og 2>"$dir/game.txt" &
pids+=($!)
sleep 3  # the music starts once its first track is ready
if [ "$load" = busy ]; then
  sh -c 'while :; do :; done' &
  pids+=($!)
  sh -c 'while :; do :; done' &
  pids+=($!)
fi
timeout "$seconds" parec -d capture.monitor --raw --format=s16le --rate=44100 --channels=2 >"$dir/capture.raw" || true
"$gaps" "$dir/capture.raw" 10
[ -z "${PULSE_LOG_COPY:-}" ] || cp "$dir/pulse.log" "$PULSE_LOG_COPY"
sed 's/^/game: /' "$dir/game.txt"
