#!/usr/bin/env bash
# run_script_test.sh SITE_PROGRAM RUN_SCRIPT
#
# Checks that scripts/run.sh leaves nothing behind however the program ends:
# by itself, by Ctrl-C (INT to the terminal's process group), by the terminal
# closing (HUP) or by TERM. The script runs in a scratch tree of its own with
# the real song site (on 127.0.0.1, a free port) and stand-ins for the build,
# the program and the X server, so no build directory or display is touched.
set -euo pipefail

if (($# != 2)); then
  echo "usage: run_script_test.sh SITE_PROGRAM RUN_SCRIPT" >&2
  exit 2
fi
site_program=$(realpath "$1")
run_script=$(realpath "$2")

scratch=$(mktemp -d "${TMPDIR:-/tmp}/qingyou-runsh.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

# Alive means running: a killed child that nobody has reaped yet is not.
alive() {
  [[ -r /proc/$1/stat ]] && [[ $(awk '{print $3}' "/proc/$1/stat" 2>/dev/null) != Z ]]
}

wait_for() {
  local what=$1 tries=$2
  for _ in $(seq "$tries"); do
    eval "$what" && return 0
    sleep 0.1
  done
  return 1
}

make_tree() {
  local tree=$1
  mkdir -p "$tree/scripts" "$tree/build/release/site" "$tree/build/release/app" "$tree/bin" \
    "$tree/tmp"
  cp "$run_script" "$tree/scripts/run.sh"
  printf '#!/bin/sh\nexit 0\n' >"$tree/scripts/setup.sh"
  printf '#!/bin/sh\nexit 0\n' >"$tree/bin/cmake"
  printf 'QINGYOU_SITE_HOST:STRING=127.0.0.1\nQINGYOU_SITE_PORT:STRING=0\n' \
    >"$tree/build/release/CMakeCache.txt"
  ln -s "$site_program" "$tree/build/release/site/qingyou-site"

  # The program: notes its pid, ends by itself once told to.
  cat >"$tree/build/release/app/qingyou" <<EOF
#!/usr/bin/env bash
echo \$\$ >"$tree/program.pid"
for _ in \$(seq 600); do
  [[ -e "$tree/quit" ]] && exit 0
  sleep 0.1
done
exit 1
EOF

  # The X server: like the real one it outlives HUP (it only resets) and INT
  # (started in the background), and names its display on -displayfd.
  cat >"$tree/bin/Xvfb" <<EOF
#!/usr/bin/env bash
trap '' HUP INT
echo \$\$ >"$tree/xvfb.pid"
previous=""
for arg in "\$@"; do
  [[ \$previous == -displayfd ]] && echo 77 >&"\$arg"
  previous=\$arg
done
exec sleep 600
EOF
  chmod +x "$tree/scripts/setup.sh" "$tree/bin/cmake" "$tree/build/release/app/qingyou" \
    "$tree/bin/Xvfb"
}

failures=0
fail() {
  echo "FAIL [$1]: $2" >&2
  failures=$((failures + 1))
}

# Each case: how the program ends, and the signal the terminal sends (none
# when the program quits by itself).
cases=("quits:" "ctrl-c:INT" "terminal-closed:HUP" "terminated:TERM")
passed=0
for case in "${cases[@]}"; do
  name=${case%%:*}
  signal=${case#*:}
  tree="$scratch/$name"
  make_tree "$tree"

  # Job control gives run.sh a process group of its own, as a terminal would,
  # and keeps INT at its default there.
  set -m
  (
    cd "$tree"
    unset DISPLAY WAYLAND_DISPLAY
    export PATH="$tree/bin:$PATH" TMPDIR="$tree/tmp"
    exec bash scripts/run.sh
  ) >"$tree/run.log" 2>&1 &
  runner=$!
  set +m

  if ! wait_for '[[ -s $tree/program.pid && -s $tree/xvfb.pid ]]' 150; then
    fail "$name" "the program or the X server did not start; run.sh said: $(cat "$tree/run.log")"
    kill -TERM -- "-$runner" 2>/dev/null || true
    wait "$runner" 2>/dev/null || true
    continue
  fi
  site_pid=$(ps -o pid=,args= --ppid "$runner" | awk '/qingyou-site/ {print $1; exit}')
  xvfb_pid=$(cat "$tree/xvfb.pid")
  if [[ -z $site_pid ]]; then
    fail "$name" "no site process under run.sh"
  fi
  if ! grep -q "virtual display :77" "$tree/run.log"; then
    fail "$name" "the program was not given the display the X server named: $(cat "$tree/run.log")"
  fi

  if [[ -z $signal ]]; then
    touch "$tree/quit"
  else
    kill "-$signal" -- "-$runner"
  fi
  if ! wait_for '! alive "$runner"' 150; then
    fail "$name" "run.sh did not end"
    kill -KILL -- "-$runner" 2>/dev/null || true
  fi
  wait "$runner" 2>/dev/null || true

  ok=1
  if [[ -n $site_pid ]] && alive "$site_pid"; then
    fail "$name" "the song site is still running"
    kill -KILL "$site_pid" 2>/dev/null || true
    ok=0
  fi
  if alive "$xvfb_pid"; then
    fail "$name" "the X server is still running"
    kill -KILL "$xvfb_pid" 2>/dev/null || true
    ok=0
  fi
  leftovers=$(find "$tree/tmp" -mindepth 1 -print)
  if [[ -n $leftovers ]]; then
    fail "$name" "temporary files left behind: $leftovers"
    ok=0
  fi
  ((ok == 1)) && passed=$((passed + 1))
done

echo "$passed passed, $((${#cases[@]} - passed)) failed"
((failures == 0))
