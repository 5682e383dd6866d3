#!/usr/bin/env bash
# Every system header the build included comes from a package that scripts/install-deps.sh
# installs, itself or as a dependency of one it names: a header that is here only because someone
# installed its package by hand would break the build on a fresh machine.
# Usage: headers_test.sh BUILD_DIR INSTALL_SCRIPT
set -euo pipefail
build=$1
script=$2

command -v dpkg-query >/dev/null || { echo "not a Debian system: nothing to check"; exit 77; }

[ -f "$build/build.ninja" ] || { echo "built without Ninja: no dependency records to read"; exit 77; }
headers=$(cd "$build" && ninja -t deps | sed -n 's/^ *\(\/usr\/[^ ]*\)$/\1/p' | sort -u)
[ -n "$headers" ] || { echo "no dependency records in $build (not built with Ninja?)"; exit 1; }

named=$(sed -n '/^packages=(/,/^)/p' "$script" | sed '1d;$d' | tr ' ' '\n' | sed '/^$/d')
# What the named packages bring, following only the dependencies that are installed here.
wanted=$(apt-cache depends --recurse --installed --no-recommends --no-suggests --no-conflicts \
    --no-breaks --no-replaces --no-enhances $named 2>/dev/null |
    sed -n 's/^\([a-z0-9][^ :]*\)\(:amd64\)\?$/\1/p; s/^ *\(Pre\)\?Depends: \([a-z0-9][^ :<>]*\).*/\2/p' |
    sort -u)

status=0
providers=$(xargs dpkg -S <<<"$headers" 2>/dev/null | cut -d: -f1 | tr ',' '\n' | tr -d ' ' | sort -u)
for package in $providers; do
    if ! grep -qx "$package" <<<"$wanted"; then
        echo "headers of $package are included, but install-deps.sh does not bring it:"
        xargs dpkg -S <<<"$headers" 2>/dev/null | grep "^$package[:,]" | sed -n '1,3s/^/    /p'
        status=1
    fi
done
[ "$status" -eq 0 ] && echo "$(wc -l <<<"$headers") system headers from: $(echo $providers)"
exit "$status"
