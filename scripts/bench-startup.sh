#!/usr/bin/env bash
# Measures the window program's start-up under a virtual X server: from process start to the end
# of the first calculation with the window painted (VLNOKAN_QUIT_AFTER_START=1 ends it there),
# the best of several runs, and the peak memory of one run.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
runs=${RUNS:-10}
source scripts/window-build.sh
XDG_RUNTIME_DIR=$runtime VLNOKAN_QUIT_AFTER_START=1 RUNS=$runs \
    xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    program=$1
    best=""
    for _ in $(seq "$RUNS"); do
        start=$(date +%s%N)
        "$program"
        ms=$(( ($(date +%s%N) - start) / 1000000 ))
        if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
    done
    echo "start-up to the first computed, painted window: best of $RUNS runs ${best} ms"
    /usr/bin/time -v "$program" 2>&1 | sed -n "s/^\tMaximum resident set size (kbytes): /peak memory (kB): /p"
' bench "$build/app/vlnokan"
