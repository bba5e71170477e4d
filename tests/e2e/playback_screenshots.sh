#!/usr/bin/env bash
# playback_screenshots.sh BUILD_DIR [OUT_DIR]
#
# Pictures of playback for the README: the main window after a search and
# the player window while its song plays, on a virtual display with openbox
# as the window manager so the windows have their frames. OUT_DIR defaults to
# docs/ of the source tree.
set -euo pipefail
build=${1:?usage: playback_screenshots.sh BUILD_DIR [OUT_DIR]}
root=$(cd "$(dirname "$0")/../.." && pwd)
out=${2:-$root/docs}
program="$build/tests/e2e/playback_screenshots"
[[ -x $program ]] || { echo "build the playback_screenshots target in $build first" >&2; exit 2; }
command -v openbox >/dev/null || { echo "openbox is missing" >&2; exit 2; }

QT_LOGGING_RULES=qt.webenginecontext.info=false "$root/scripts/headless.sh" bash -c '
  openbox --sm-disable >/dev/null 2>&1 &
  wm=$!
  trap "kill $wm 2>/dev/null" EXIT
  # The window manager must own the screen before the first window maps.
  for _ in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.1
  done
  "$0" "$1"
' "$program" "$out"
