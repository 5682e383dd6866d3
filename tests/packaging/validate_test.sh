#!/usr/bin/env bash
# The desktop entry and the software centre's entry pass their validators, offline.
# Usage: validate_test.sh DESKTOP_FILE METAINFO_FILE
set -euo pipefail
desktop=$1
metainfo=$2

for tool in desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || {
        echo "$tool is missing: install desktop-file-utils and appstream (scripts/install-deps.sh)"
        exit 1
    }
done

desktop-file-validate "$desktop"
appstreamcli validate --no-net --explain "$metainfo"

# The entry names the program in both languages and files it where builders look for it.
grep -qx 'Name=Vlnokan' "$desktop"
grep -qx 'Name\[cs\]=Vlnokan' "$desktop"
grep -q '^Comment=' "$desktop"
grep -q '^Comment\[cs\]=' "$desktop"
grep -qx 'Categories=Science;Engineering;' "$desktop"
grep -qx 'Exec=vlnokan' "$desktop"
# Until the project has pages of its own, nothing installed names an address that leads nowhere.
if grep -n 'example\.\(org\|com\|net\)' "$metainfo" "$desktop"; then
    echo "an example address in what is installed"
    exit 1
fi
grep -q "<launchable type=\"desktop-id\">$(basename "$desktop")</launchable>" "$metainfo"
grep -q '<project_license>GPL-3.0-or-later</project_license>' "$metainfo"
echo "desktop entry and metainfo valid"
