# Shared by the PulseAudio measuring scripts (sourced, not run): a private work folder removed on
# exit with every process started through it, a private PulseAudio server with a null sink named
# "capture", Xvfb, and captures of the sink's monitor counted by audio-gaps.
# Needs the pulseaudio and pulseaudio-utils packages (not part of the build's dependencies).

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

# Starts the server (again, after a kill) and waits until it answers.
start_pulse() {
  pulseaudio -n --daemonize=no ${PULSE_LOG_LEVEL:+--log-level=$PULSE_LOG_LEVEL} --exit-idle-time=-1 \
    --log-target=file:"$dir/pulse.log" \
    -L "module-native-protocol-unix auth-anonymous=1 socket=$dir/native" \
    -L "module-null-sink sink_name=capture" 2>/dev/null &
  pulse_pid=$!
  for _ in $(seq 1 100); do pactl info >/dev/null 2>&1 && return; sleep 0.1; done
}

# Starts Xvfb and exports its DISPLAY.
start_xvfb() {
  Xvfb -displayfd 3 -screen 0 1280x800x24 3>"$dir/display" 2>/dev/null &
  pids+=($!)
  for _ in $(seq 1 100); do [ -s "$dir/display" ] && break; sleep 0.1; done
  export DISPLAY=:$(cat "$dir/display")
}

# capture NAME SECONDS GAPS_BIN: records the sink for that long and prints audio-gaps' report.
capture() {
  timeout "$2" parec -d capture.monitor --raw --format=s16le --rate=44100 --channels=2 >"$dir/$1.raw" || true
  "$3" "$dir/$1.raw" 10
}
