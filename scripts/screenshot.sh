#!/usr/bin/env bash
# Saves a picture of the window after start-up (the first calculation done) as docs/window.png:
# the program runs under a virtual X server, without a window manager, at the screen's top-left.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
source scripts/window-build.sh
XDG_RUNTIME_DIR=$runtime xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    "$1" &
    program=$!
    sleep 2
    import -window root -crop 794x461+0+0 +repage docs/window.png
    kill "$program"
    wait "$program" || true
' screenshot "$build/app/vlnokan"
echo "docs/window.png written"
