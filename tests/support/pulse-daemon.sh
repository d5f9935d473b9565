#!/usr/bin/env bash
# Starts or stops a private PulseAudio daemon with a null sink for the tests.
#   pulse-daemon.sh start DIR   -> socket DIR/native, sink "varnelo_null"
#   pulse-daemon.sh stop DIR
set -eu
cmd=$1
dir=$2
case "$cmd" in
start)
    "$0" stop "$dir" || true
    mkdir -p "$dir"
    export PULSE_RUNTIME_PATH="$dir" XDG_RUNTIME_DIR="$dir" HOME="$dir"
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --disable-shm=yes \
        --log-target=file:"$dir/pulse.log" \
        --load="module-native-protocol-unix socket=$dir/native auth-anonymous=1" \
        --load="module-null-sink sink_name=varnelo_null sink_properties=device.description=Null_Output" \
        </dev/null >/dev/null 2>&1 &
    echo $! >"$dir/pid"
    # Ready once the server answers on its socket.
    for _ in $(seq 1 100); do
        if PULSE_SERVER="unix:$dir/native" pactl info >/dev/null 2>&1; then exit 0; fi
        sleep 0.1
    done
    echo "pulseaudio did not come up; see $dir/pulse.log" >&2
    exit 1
    ;;
stop)
    if [ -f "$dir/pid" ]; then
        kill "$(cat "$dir/pid")" 2>/dev/null || true
        rm -f "$dir/pid"
    fi
    ;;
*)
    echo "usage: $0 start|stop DIR" >&2
    exit 2
    ;;
esac
