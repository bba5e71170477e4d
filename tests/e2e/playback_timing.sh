#!/usr/bin/env bash
# playback_timing.sh BUILD_DIR [RUNS]
#
# Runs the playback timing program RUNS times (default 5), each in a fresh
# process inside scripts/headless.sh, and prints every measurement and the
# median of each column: milliseconds from the double-click to the player
# page loaded, to the page reporting sound, and to the first sound recorded
# on the null sink, cold (first player window of the process) and warm
# (a player window made after the first one was closed).
set -euo pipefail
build=${1:?usage: playback_timing.sh BUILD_DIR [RUNS]}
runs=${2:-5}
root=$(cd "$(dirname "$0")/../.." && pwd)
program="$build/tests/e2e/playback_timing"
[[ -x $program ]] || { echo "build the playback_timing target in $build first" >&2; exit 2; }

out=$(mktemp)
trap 'rm -f "$out"' EXIT
for i in $(seq "$runs"); do
  QT_LOGGING_RULES=qt.webenginecontext.info=false \
    "$root/scripts/headless.sh" "$program" 2>/dev/null | sed "s/^/run=$i /" | tee -a "$out"
done

echo
echo "medians over $runs runs (ms from the double-click):"
for kind in cold warm; do
  for column in loaded_ms audible_ms sound_ms clip_lead_in_ms; do
    grep " $kind " "$out" | sed -n "s/.*$column=\([0-9]*\).*/\1/p" | sort -n |
      awk -v k="$kind" -v c="$column" '{ v[NR] = $1 }
        END { if (NR == 0) { printf "%s %s: none\n", k, c; exit }
              m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
              printf "%s %-16s median %6.0f  min %6d  max %6d  (%d runs)\n", k, c, m, v[1], v[NR], NR }'
  done
done
