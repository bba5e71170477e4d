#!/usr/bin/env bash
# Installs what is missing, builds, starts the bundled song site in the
# background and the program in front; the site stops when the program ends.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release --target qingyou qingyou-site

build=build/release
port=$(sed -n 's/^QINGYOU_SITE_PORT:STRING=//p' "$build/CMakeCache.txt")
host=$(sed -n 's/^QINGYOU_SITE_HOST:STRING=//p' "$build/CMakeCache.txt")

cleanup() {
  [[ -n "${site_pid:-}" ]] && kill "$site_pid" 2>/dev/null && wait "$site_pid" 2>/dev/null
  [[ -n "${xvfb_pid:-}" ]] && kill "$xvfb_pid" 2>/dev/null
  return 0
}
trap cleanup EXIT

site_log=$(mktemp)
"$build/site/qingyou-site" --host "$host" --port "$port" >"$site_log" 2>&1 &
site_pid=$!
for _ in $(seq 50); do
  grep -q "listening on" "$site_log" && break
  if ! kill -0 "$site_pid" 2>/dev/null; then
    echo "run: the song site did not start:" >&2
    cat "$site_log" >&2
    exit 1
  fi
  sleep 0.1
done
echo "run: song site at http://$host:$port/"

# Chromium's sandbox refuses to run as root; only then is it turned off.
if [[ $(id -u) -eq 0 ]]; then
  export QTWEBENGINE_DISABLE_SANDBOX=1
fi

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  display=99
  while [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]]; do display=$((display + 1)); done
  Xvfb ":$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$display"
  sleep 1
  echo "run: no display found; the program runs on the virtual display $DISPLAY"
  echo "run: see it with: import -display $DISPLAY -window root shot.png"
fi

"$build/app/qingyou"
