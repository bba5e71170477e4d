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

# Runs under set -e, also from a signal: a site that already died (the
# terminal closed, say) makes kill fail, and that must not stop the rest of
# the cleanup. Waiting for a child that is gone can hang bash in a trap, so
# the wait is only for a site that was still there to be stopped.
cleanup() {
  local site_stopping=0
  if [[ -n "${site_pid:-}" ]] && kill "$site_pid" 2>/dev/null; then
    site_stopping=1
  fi
  if [[ -n "${xvfb_pid:-}" ]]; then
    kill "$xvfb_pid" 2>/dev/null || true
  fi
  if ((site_stopping == 1)); then
    wait "$site_pid" 2>/dev/null || true
  fi
  rm -f "${site_log:-}" "${display_file:-}"
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
if ! grep -q "listening on" "$site_log"; then
  echo "run: the song site did not start listening in time:" >&2
  cat "$site_log" >&2
  exit 1
fi
echo "run: song site at http://$host:$port/"

# Chromium's sandbox refuses to run as root; only then is it turned off.
if [[ $(id -u) -eq 0 ]]; then
  export QTWEBENGINE_DISABLE_SANDBOX=1
fi

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  # The server picks a free display itself and names it once it accepts
  # clients, so the program never races its start.
  display_file=$(mktemp)
  exec {display_fd}>"$display_file"
  Xvfb -displayfd "$display_fd" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  exec {display_fd}>&-
  for _ in $(seq 100); do
    [[ -s $display_file ]] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  if [[ ! -s $display_file ]]; then
    echo "run: no display found, and the virtual display (Xvfb) did not start" >&2
    exit 1
  fi
  display=$(head -n1 "$display_file")
  export DISPLAY=":$display"
  echo "run: no display found; the program runs on the virtual display $DISPLAY"
  echo "run: see it with: import -display $DISPLAY -window root shot.png"
fi

"$build/app/qingyou"
