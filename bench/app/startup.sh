#!/usr/bin/env bash
# startup.sh [BUILD_DIR] [RUNS]
#
# Start-up time (start to window on screen) and memory of the program beside
# a bare Qt Widgets window of the same size (and the same window asking for
# the shared OpenGL contexts the web engine needs), in one run so the ratios
# hold on a busy machine; then the same once the first player window is
# open, beside a bare window holding just a web view. Each figure is the median of
# RUNS starts (default 5), the programs taking turns. Runs on a private
# virtual display unless one is there already without a window manager.
#
# Build first: cmake --build BUILD_DIR --target qingyou bare_window \
#   bare_webview_window startup_player startup_probe
set -euo pipefail
cd "$(dirname "$0")/../.."

build=${1:-build/release}
runs=${2:-5}

if [[ -z ${QINGYOU_STARTUP_ON_DISPLAY:-} ]]; then
  export QINGYOU_STARTUP_ON_DISPLAY=1
  exec xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp" "$0" "$build" "$runs"
fi

for binary in app/qingyou bench/app/bare_window bench/app/bare_webview_window \
  bench/app/startup_player bench/app/startup_probe; do
  if [[ ! -x $build/$binary ]]; then
    echo "startup.sh: $build/$binary is missing; build it first" >&2
    exit 2
  fi
done

export QT_QPA_PLATFORM=xcb
# Chromium's sandbox refuses to run as root; only then is it turned off.
if [[ $(id -u) -eq 0 ]]; then
  export QTWEBENGINE_DISABLE_SANDBOX=1
fi

probe=$build/bench/app/startup_probe
declare -A map hwm tree

# name settle_ms title command...
measure() {
  local name=$1 settle=$2 title=$3
  shift 3
  local line
  line=$("$probe" --settle "$settle" --title "$title" -- "$@" 2>/dev/null)
  map[$name]+="$(sed -n 's/.*map_ms=\([0-9.]*\).*/\1/p' <<<"$line") "
  hwm[$name]+="$(sed -n 's/.*hwm_kib=\([0-9]*\).*/\1/p' <<<"$line") "
  tree[$name]+="$(sed -n 's/.*tree_rss_kib=\([0-9]*\).*/\1/p' <<<"$line") "
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
median() { tr ' ' '\n' <<<"$1" | grep . | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

for ((i = 0; i < runs; i++)); do
  measure bare 500 "bare_window" "$build/bench/app/bare_window"
  measure sharedgl 500 "bare_window" "$build/bench/app/bare_window" shared-contexts
  measure main 500 "青柚_歌曲   [窗口]" "$build/app/qingyou"
  measure webview 2000 "bare_webview_window" "$build/bench/app/bare_webview_window"
  measure player 2000 "青柚_歌曲" "$build/bench/app/startup_player"
done

printf '%-34s %10s %14s %16s\n' "median of $runs starts" "window ms" "peak RSS MiB" "with helpers MiB"
for name in bare sharedgl main webview player; do
  case $name in
    bare) label="bare Qt window 192x355" ;;
    sharedgl) label="  same, shared OpenGL contexts" ;;
    main) label="qingyou, main window" ;;
    webview) label="bare window with a web view" ;;
    player) label="qingyou, first player window" ;;
  esac
  printf '%-34s %10.1f %14.1f %16.1f\n' "$label" "$(median "${map[$name]}")" \
    "$(ratio "$(median "${hwm[$name]}")" 1024)" "$(ratio "$(median "${tree[$name]}")" 1024)"
done

echo
echo "main window vs bare window:    time x$(ratio "$(median "${map[main]}")" "$(median "${map[bare]}")")," \
  "peak memory x$(ratio "$(median "${hwm[main]}")" "$(median "${hwm[bare]}")")"
echo "shared OpenGL contexts alone:  time x$(ratio "$(median "${map[sharedgl]}")" "$(median "${map[bare]}")")," \
  "peak memory x$(ratio "$(median "${hwm[sharedgl]}")" "$(median "${hwm[bare]}")")"
echo "first player vs bare window:   time x$(ratio "$(median "${map[player]}")" "$(median "${map[bare]}")")," \
  "peak memory x$(ratio "$(median "${hwm[player]}")" "$(median "${hwm[bare]}")")," \
  "with helpers x$(ratio "$(median "${tree[player]}")" "$(median "${tree[bare]}")")"
echo "first player vs web view:      time x$(ratio "$(median "${map[player]}")" "$(median "${map[webview]}")")," \
  "with helpers x$(ratio "$(median "${tree[player]}")" "$(median "${tree[webview]}")")"
