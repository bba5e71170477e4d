#!/usr/bin/env bash
# headless.sh CMD [ARG...]
#
# Runs CMD with a private X display (Xvfb, 1280x800x24) and a private sound
# server (PulseAudio) whose default sink is the null sink "qingyou_null", so
# that windows and the browser strip work on a machine without a screen or a
# sound card, and whatever plays can be recorded from "qingyou_null.monitor"
# (parec -d qingyou_null.monitor). Everything started here is stopped again
# afterwards; the exit status is CMD's.
#
# Chromium's sandbox refuses to run as root, so only then the sandbox is
# switched off, for CMD alone. QINGYOU_HEADLESS_VERBOSE=1 keeps the servers'
# logs on stderr when something needs looking into.
set -euo pipefail

if (($# == 0)); then
  echo "usage: headless.sh CMD [ARG...]" >&2
  exit 2
fi

for tool in Xvfb pulseaudio pactl; do
  if ! command -v "$tool" >/dev/null; then
    echo "headless.sh: $tool is missing (run scripts/setup.sh)" >&2
    exit 2
  fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/qingyou-headless.XXXXXX")
xvfb_pid=""
pulse_pid=""
bus_pid=""

stop() {
  local pid=$1
  [[ -n $pid ]] || return 0
  kill "$pid" 2>/dev/null || return 0
  for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  kill -9 "$pid" 2>/dev/null || true
}

cleanup() {
  stop "$pulse_pid"
  stop "$bus_pid"
  stop "$xvfb_pid"
  if [[ ${QINGYOU_HEADLESS_VERBOSE:-0} == 1 ]]; then
    cat "$work"/*.log >&2 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
# Interrupted while starting the servers: leave through the EXIT trap so
# nothing is left running behind.
trap 'exit 143' TERM
trap 'exit 130' INT

# X: let the server pick a free display number itself (-displayfd), which
# cannot race with other displays being started at the same moment.
exec {display_fd}>"$work/display"
Xvfb -displayfd "$display_fd" -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec {display_fd}>&-
for _ in $(seq 100); do
  [[ -s $work/display ]] && break
  if ! kill -0 "$xvfb_pid" 2>/dev/null; then
    echo "headless.sh: Xvfb did not start:" >&2
    cat "$work/xvfb.log" >&2
    exit 1
  fi
  sleep 0.1
done
if [[ ! -s $work/display ]]; then
  echo "headless.sh: Xvfb gave no display number" >&2
  exit 1
fi
export DISPLAY=":$(head -n1 "$work/display")"
unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-xcb}"

# Sound: a private PulseAudio with a private runtime directory, so it neither
# meets nor disturbs a desktop's own server, and works as root without
# --system. The null sink is the default, so players need no configuration.
export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export PULSE_RUNTIME_PATH="$XDG_RUNTIME_DIR/pulse"
export PULSE_STATE_PATH="$work/pulse-state"
mkdir -p -m 700 "$PULSE_RUNTIME_PATH" "$PULSE_STATE_PATH"
socket="$PULSE_RUNTIME_PATH/native"
cat >"$work/pulse.pa" <<EOF
load-module module-null-sink sink_name=qingyou_null sink_properties=device.description=qingyou_null
set-default-sink qingyou_null
load-module module-native-protocol-unix auth-anonymous=1 socket=$socket
EOF
pulseaudio -n -F "$work/pulse.pa" --daemonize=no --exit-idle-time=-1 --disallow-exit \
  --use-pid-file=no --log-target=stderr >"$work/pulse.log" 2>&1 &
pulse_pid=$!
export PULSE_SERVER="unix:$socket"
for _ in $(seq 100); do
  pactl info >/dev/null 2>&1 && break
  if ! kill -0 "$pulse_pid" 2>/dev/null; then
    echo "headless.sh: PulseAudio did not start:" >&2
    cat "$work/pulse.log" >&2
    exit 1
  fi
  sleep 0.1
done
if ! pactl info >/dev/null 2>&1; then
  echo "headless.sh: PulseAudio does not answer:" >&2
  cat "$work/pulse.log" >&2
  exit 1
fi

# A private session bus, where there is one to be had: without it the
# browser engine looks for one on every start and fills the output with
# complaints.
if command -v dbus-daemon >/dev/null; then
  dbus-daemon --session --nofork --nopidfile --address="unix:path=$work/bus" \
    >"$work/dbus.log" 2>&1 &
  bus_pid=$!
  for _ in $(seq 50); do
    [[ -S $work/bus ]] && break
    sleep 0.1
  done
  if [[ -S $work/bus ]]; then
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/bus"
  fi
fi

if [[ $(id -u) -eq 0 ]]; then
  export QTWEBENGINE_DISABLE_SANDBOX=1
fi

# CMD runs in the background so that a TERM (a test runner's timeout) reaches
# this script at once: it is passed on to CMD, and the EXIT trap then stops
# the servers. Standard input stays CMD's.
"$@" <&0 &
child=$!
trap 'kill -TERM "$child" 2>/dev/null' TERM INT
status=0
while :; do
  wait "$child" && status=0 || status=$?
  kill -0 "$child" 2>/dev/null || break
done
exit "$status"
