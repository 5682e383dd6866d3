#!/usr/bin/env bash
# Saves a picture of a measured sweep on the simulation's charts as docs/measured.png: the
# default can alone with its probe 2 mm longer than designed (tests/measure/data), beside the
# simulation of the can as designed on the tests' coarse mesh, with the probe's trim. The three
# simulations come from the cache when they ran before (e.g. in the slow test
# tst_trimsimulated with VLNOKAN_TEST_SIM_CACHE set to the cache folder); otherwise openEMS runs
# first (several minutes).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
target=vlnokan-sim-shot
source scripts/window-build.sh
XDG_RUNTIME_DIR=$runtime xvfb-run -a -s "-screen 0 1280x1280x24" \
    "$build/simview/vlnokan-sim-shot" docs/measured.png tests/measure/data/can-probe-2mm-longer.s1p
echo "docs/measured.png written"
