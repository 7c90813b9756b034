#!/usr/bin/env bash
# Every report, command and option that talvenor-report --help names is documented in its manual page and
# offered by its bash completion; the desktop entry and the AppStream file are valid; the changelog is one
# Debian reads and its newest entry is the program's version.
#   check_documentation.sh TALVENOR_REPORT PACKAGING_FOLDER VERSION
set -u
exe=$1
packaging=$2
version=$3
man="$packaging/man/talvenor-report.1"
completion="$packaging/completion/talvenor-report"
faults=0
fault() { echo "$*"; faults=$((faults + 1)); }

help=$("$exe" --help) || { echo "talvenor-report --help failed"; exit 1; }
manText=$(sed 's/\\-/-/g; s/\\e//g' "$man")
completionText=$(cat "$completion")

# A report line may name several reports: "  pictures, solar-arc, progressed".
reports=$(echo "$help" | sed -n '/^REPORT is one of:/,/^Options:/p' | grep -oE '^  [a-z][a-z0-9-]*(, [a-z][a-z0-9-]*)*' \
    | tr -d ' ' | tr ',' '\n')
commands=$(echo "$help" | grep -oE '^  talvenor-report [a-z][a-z-]*' | awk '{print $2}' | sort -u)
options=$(echo "$help" | grep -oE -- '--[a-z][a-z0-9-]*' | sort -u)
[ -n "$reports" ] && [ -n "$options" ] || { echo "could not read the reports and options from --help"; exit 1; }

for word in $reports $commands; do
    grep -qE -- "(^|[^a-z-])$word([^a-z-]|\$)" <<<"$manText" || fault "the manual page does not describe $word"
    grep -qE -- "(^|[^a-z-])$word([^a-z-]|\$)" <<<"$completionText" || fault "the completion does not offer $word"
done
for option in $options; do
    grep -qE -- "(^|[^a-z-])$option([^a-z-]|\$)" <<<"$manText" || fault "the manual page does not describe $option"
    grep -qE -- "(^|[^a-z-])$option([^a-z-]|\$)" <<<"$completionText" || fault "the completion does not offer $option"
done

bash -n "$completion" || fault "the completion is no valid bash"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$packaging"/*.desktop || fault "the desktop entry is not valid"
else
    fault "desktop-file-validate is missing (Debian package desktop-file-utils)"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$packaging"/*.metainfo.xml >/dev/null || {
        appstreamcli validate --no-net "$packaging"/*.metainfo.xml
        fault "the AppStream file is not valid"
    }
else
    fault "appstreamcli is missing (Debian package appstream)"
fi

if command -v dpkg-parsechangelog >/dev/null; then
    logged=$(dpkg-parsechangelog -l "$packaging/changelog" -S Version 2>&1) || fault "the changelog cannot be read: $logged"
    [ "$logged" = "$version" ] || fault "the changelog's newest entry is $logged, the program is $version"
else
    fault "dpkg-parsechangelog is missing (Debian package dpkg-dev)"
fi

[ $faults -eq 0 ] || { echo "$faults fault(s)"; exit 1; }
echo "documented: $(echo $reports $commands | wc -w) reports and commands, $(echo $options | wc -w) options"
