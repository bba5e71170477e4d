#!/usr/bin/env bash
# startswithoutopengl.sh WINDOW_CLASS PROGRAM [ARG...]
#
# Starts PROGRAM, waits until a window of WINDOW_CLASS is on the screen and
# fails when the process has made an OpenGL context by then: the driver's
# libraries are mapped only once a context is made, and making one costs a
# start as much again as the window itself. Needs a display (headless.sh).
set -euo pipefail

class=$1
shift
"$@" &
pid=$!
# Stopped and waited for, so that nothing of it outlives the display.
stop() {
  kill "$pid" 2>/dev/null || return 0
  wait "$pid" 2>/dev/null || true
}
trap stop EXIT

if ! timeout 60 xdotool search --sync --onlyvisible --class "$class" >/dev/null; then
  echo "startswithoutopengl.sh: no $class window within 60 s" >&2
  exit 1
fi
maps=$(cat "/proc/$pid/maps")
if ! grep -q libQt6Widgets <<<"$maps"; then
  echo "startswithoutopengl.sh: cannot read the mappings of $pid" >&2
  exit 1
fi
# The vendor library of the GL dispatcher and Mesa's drivers.
if gl=$(grep -oE '/[^ ]*(libGLX_[^ /]*|_dri\.so)' <<<"$maps" | sort -u); then
  echo "startswithoutopengl.sh: an OpenGL context was made before the window showed:" >&2
  echo "$gl" >&2
  exit 1
fi
echo "startswithoutopengl.sh: $class window up, no OpenGL context made"
