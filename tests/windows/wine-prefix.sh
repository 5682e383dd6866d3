# shellcheck shell=bash
# Sourced by the Wine tests: finds Wine, makes the Wine prefix $prefix on first use and starts one
# Wine server for the test's runs; defines skip, $wine and $work (a scratch folder). A test that
# cannot run Wine here ends with exit status 77, which ctest reports as skipped.

skip() {
    echo "SKIPPED: $*"
    exit 77
}

wine=${VLNOKAN_WINE:-$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)}
wineserver=$(command -v wineserver || echo "$(dirname "$wine")/wineserver")
[ -x "$wine" ] || skip "Wine is not installed (Debian package wine64)"

# A console program needs no display: without DISPLAY Wine does not look for an X server. The
# .NET and HTML runtimes are not wanted, so a new prefix does not offer to download them.
unset DISPLAY WAYLAND_DISPLAY
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
work=$(mktemp -d)
trap '"$wineserver" -k 2>/dev/null; rm -rf "$work"' EXIT

if [ ! -f "$prefix/vlnokan-ready" ]; then
    rm -rf "$prefix"
    mkdir -p "$prefix"
    bootStart=$SECONDS
    if ! timeout 600 "$wine" wineboot -i >"$work/boot.log" 2>&1; then
        tail -n 5 "$work/boot.log"
        skip "Wine cannot start here (wineboot -i failed)"
    fi
    "$wineserver" -w
    touch "$prefix/vlnokan-ready"
    echo "Wine prefix made in $((SECONDS - bootStart)) s"
fi

# One Wine server for all runs: started anew for each program it costs seconds.
"$wineserver" -p
