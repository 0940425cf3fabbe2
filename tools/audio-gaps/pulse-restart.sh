#!/usr/bin/env bash
# The music through a PulseAudio server that is killed under the game and started again: a
# private server with a null sink, the game under Xvfb with the music on, a capture before the
# kill and one a few seconds after the restart (each should hold sound), and the game's lines.
# Needs the pulseaudio and pulseaudio-utils packages (not part of the build's dependencies).
# Usage: pulse-restart.sh VENTORA_BIN AUDIO_GAPS_BIN
set -euo pipefail
game=$1 gaps=$2
dir=$(mktemp -d)
pids=()
pulse_pid=
cleanup() {
  for pid in "${pids[@]}" $pulse_pid; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$dir"
}
trap cleanup EXIT

export HOME=$dir PULSE_RUNTIME_PATH=$dir/run PULSE_SERVER=unix:$dir/native
start_pulse() {
  pulseaudio -n --daemonize=no --exit-idle-time=-1 --log-target=file:"$dir/pulse.log" \
    -L "module-native-protocol-unix auth-anonymous=1 socket=$dir/native" \
    -L "module-null-sink sink_name=capture" 2>/dev/null &
  pulse_pid=$!
  for _ in $(seq 1 100); do pactl info >/dev/null 2>&1 && return; sleep 0.1; done
}
capture() {
  timeout "$2" parec -d capture.monitor --raw --format=s16le --rate=44100 --channels=2 >"$dir/$1.raw" || true
  "$gaps" "$dir/$1.raw" 10 | tail -n 1 | sed "s|^$dir/||"
}

start_pulse
Xvfb -displayfd 3 -screen 0 1280x800x24 3>"$dir/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 1 100); do [ -s "$dir/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$dir/display")

VENTORA_ENABLE_MUSIC=1 SDL_AUDIODRIVER=pulseaudio "$game" --mode og 2>"$dir/game.txt" &
pids+=($!)
sleep 4
capture before 3
kill -9 "$pulse_pid"
wait "$pulse_pid" 2>/dev/null || true
echo "server killed"
sleep 5
start_pulse
echo "server started again"
sleep 4
capture after 5
sed 's/^/game: /' "$dir/game.txt"
