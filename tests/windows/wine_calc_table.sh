#!/usr/bin/env bash
# Runs the Windows vlnokan-calc.exe under Wine on every row of a table of entries and compares it
# with the Linux vlnokan-calc on the same entries: standard output, standard error and exit status,
# byte for byte, under a decimal comma, a decimal point and the whole Czech regional settings of
# Windows. Windows programs end text lines with CR LF, so the Windows output must be exactly the
# Linux output with every LF written as CR LF.
#
# usage: wine_calc_table.sh WINDOWS_BUILD LINUX_CALC ROWS PREFIX
# WINDOWS_BUILD is the folder of the MinGW-w64 cross build, PREFIX the Wine prefix (made on the
# first run). Exit status 77 means skipped: no Windows
# build was given, or Wine is missing or cannot start here.
set -uo pipefail

windowsBuild=$1
linux=$2
rows=$3
prefix=$4

if [ -z "$windowsBuild" ]; then
    echo "SKIPPED: no Windows build of vlnokan-calc was given (configure with" \
        "-DVLNOKAN_WINDOWS_BUILD=/path/to/the/cross/build, as scripts/test.sh does)"
    exit 77
fi
exe=$windowsBuild/cli/vlnokan-calc.exe
if [ ! -f "$exe" ]; then
    echo "FAILED: the Windows build $exe is missing"
    exit 1
fi
if ! locale -a 2>/dev/null | grep -qi '^cs_CZ\.utf-\?8$'; then
    echo "FAILED: the Linux side needs the locale cs_CZ.UTF-8 (scripts/install-deps.sh makes it)"
    exit 1
fi

# A row with a mode misspelt would never run.
unknown=$(awk -F';' '!/^#/ && NF { n = split($1, m, " ")
    for (i = 1; i <= n; i++) if (m[i] !~ /^(comma|point|czech|windows)$/) print }' "$rows")
if [ -n "$unknown" ]; then
    echo "FAILED: rows with an unknown mode:"
    echo "$unknown"
    exit 1
fi

# shellcheck source=tests/windows/wine-prefix.sh
source "$(dirname "$0")/wine-prefix.sh"

# Sets the Windows regional settings for one mode and names the locales both sides run under.
regional() {
    case $1 in
    comma | point)
        wineLocale=C
        linuxLocale=$([ "$1" = comma ] && echo cs_CZ.UTF-8 || echo C)
        separator=$([ "$1" = comma ] && echo , || echo .)
        LC_ALL=$wineLocale "$wine" reg add 'HKCU\Control Panel\International' /v sDecimal \
            /t REG_SZ /d "$separator" /f >/dev/null 2>&1
        ;;
    czech | windows)
        wineLocale=cs_CZ.UTF-8
        linuxLocale=cs_CZ.UTF-8
        ;;
    esac
}

# Whether one of the files holds the line as a whole line.
hasLine() {
    local line=$1
    shift
    grep -qxF -- "$line" "$@"
}

crlf() { perl -pe 's/\n/\r\n/' "$1"; }

start=$SECONDS
compared=0
failed=0
for mode in comma point czech windows; do
    regional "$mode"
    while IFS= read -r row; do
        case $row in '#'* | '') continue ;; esac
        IFS=';' read -r -a field <<<"$row"
        [[ " ${field[0]} " == *" $mode "* ]] || continue
        name=${field[1]}
        status=${field[2]}
        line=${field[3]}
        args=("${field[@]:4}")

        LC_ALL=$wineLocale "$wine" "$exe" "${args[@]}" >"$work/w.out" 2>"$work/w.err"
        windowsStatus=$?
        problems=()
        if [ "$mode" = windows ]; then
            [ "$windowsStatus" = "$status" ] || problems+=("exit status $windowsStatus, not $status")
            printf '%s\r\n' "$line" >"$work/expected"
            cat "$work/w.out" "$work/w.err" | cmp -s - "$work/expected" ||
                problems+=("output is not just the line \"$line\" with CR LF")
        else
            LC_ALL=$linuxLocale "$linux" "${args[@]}" >"$work/l.out" 2>"$work/l.err"
            linuxStatus=$?
            [ "$linuxStatus" = "$status" ] || problems+=("Linux exit status $linuxStatus, not $status")
            [ "$windowsStatus" = "$linuxStatus" ] ||
                problems+=("Windows exit status $windowsStatus, Linux $linuxStatus")
            [ -z "$line" ] || hasLine "$line" "$work/l.out" "$work/l.err" ||
                problems+=("Linux printed no line \"$line\"")
            for stream in out err; do
                crlf "$work/l.$stream" >"$work/l.$stream.crlf"
                if ! cmp -s "$work/l.$stream.crlf" "$work/w.$stream"; then
                    problems+=("standard $stream differs (Linux with CR LF, then Windows):")
                    problems+=("$(diff <(cat -A "$work/l.$stream.crlf") <(cat -A "$work/w.$stream"))")
                fi
            done
        fi
        compared=$((compared + 1))
        if ((${#problems[@]})); then
            failed=$((failed + 1))
            echo "FAILED [$mode] $name: vlnokan-calc$(printf ' "%s"' "${args[@]}")"
            printf '    %s\n' "${problems[@]}"
        fi
    done <"$rows"
done

echo "$compared runs of vlnokan-calc.exe under Wine in $((SECONDS - start)) s, $failed differ"
[ "$failed" = 0 ] && [ "$compared" -gt 0 ]
