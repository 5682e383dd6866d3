#!/usr/bin/env bash
# Saves a picture of the simulation of the default antenna (quick quality) as
# docs/simulation.png, drawn under a virtual X server. The results are taken from the cache when
# the antenna was simulated before; otherwise openEMS runs first (minutes).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
target=vlnokan-sim-shot
source scripts/window-build.sh
XDG_RUNTIME_DIR=$runtime xvfb-run -a -s "-screen 0 1280x1280x24" \
    "$build/simview/vlnokan-sim-shot" docs/simulation.png
echo "docs/simulation.png written"
