#!/usr/bin/env bash
# Runs a test program on a virtual X server under the openbox window manager, so that its windows
# get real frames. Exits 77 (skipped) when the server or the window manager is not installed.
set -u
for tool in xvfb-run openbox xprop; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed"
        exit 77
    fi
done
runtime=$(mktemp -d)
chmod 700 "$runtime"
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=xcb
exec xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    openbox --sm-disable >/dev/null 2>&1 &
    manager=$!
    # The window manager announces itself on the root window once it manages the screen.
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
        sleep 0.05
    done
    "$@"
    status=$?
    kill "$manager" 2>/dev/null
    wait "$manager" 2>/dev/null
    exit "$status"
' with-window-manager "$@"
