#!/usr/bin/env bash
# Builds the Debian package from the build folder (default: build), checks what it holds, installs it on
# this machine, runs the installed programs from a fresh home and removes the package again.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
version=$(sed -n 's/^project(talvenor VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb="$dir/talvenor_${version}_amd64.deb"

rm -f "$deb"
cmake --build "$dir" --target package
[ -f "$deb" ] || { echo "no package $deb"; exit 1; }

echo "--- dpkg-deb --info"
dpkg-deb --info "$deb"
info=$(dpkg-deb --field "$deb" Package Version Architecture Depends)
for want in "Package: talvenor" "Version: $version" "Architecture: amd64" "libqt6widgets6" "libsqlite3-0" \
             "libcups2" "qt6-qpa-plugins" "fonts-liberation2" "tzdata"; do
    grep -q -- "$want" <<<"$info" || { echo "the package's fields lack $want"; exit 1; }
done

# Debian's own checker: any error or warning fails the check. An override would go into the package with
# its reason written beside it; there is none.
echo "--- lintian"
set +e
findings=$(lintian --fail-on error,warning "$deb" 2>&1)
status=$?
set -e
grep -v '^running with root privileges is not recommended!$' <<<"$findings" || true
[ $status -eq 0 ] || { echo "lintian finds errors or warnings in $deb"; exit 1; }

echo "--- dpkg-deb --contents (what a user gets)"
contents=$(dpkg-deb --contents "$deb")
for path in ./usr/bin/talvenor ./usr/bin/talvenor-report ./usr/share/applications/org.talvenor.Talvenor.desktop \
            ./usr/share/metainfo/org.talvenor.Talvenor.metainfo.xml \
            ./usr/share/icons/hicolor/scalable/apps/talvenor.svg \
            ./usr/share/man/man1/talvenor.1.gz ./usr/share/man/man1/talvenor-report.1.gz \
            ./usr/share/bash-completion/completions/talvenor-report ./usr/share/doc/talvenor/copyright \
            ./usr/share/doc/talvenor/changelog.gz \
            ./usr/share/talvenor/OPTIONS.OPT ./usr/share/talvenor/OPTIONS.MAS ./usr/share/talvenor/NAMES.FIL \
            ./usr/share/talvenor/TZ.DAT ./usr/share/talvenor/WORLD.LL ./usr/share/talvenor/ATLAS.TXT \
            ./usr/share/talvenor/ATLAS.DB ./usr/share/talvenor/DATA.HLP; do
    grep -q " $path\$" <<<"$contents" || { echo "the package lacks $path"; exit 1; }
done
echo "$(wc -l <<<"$contents") entries, $(du -h "$deb" | cut -f1) in all"

echo "--- installing"
export DEBIAN_FRONTEND=noninteractive
apt-get install -y --no-install-recommends "./$deb" >/dev/null
trap 'apt-get remove -y talvenor >/dev/null 2>&1 || true' EXIT

home=$(mktemp -d)
record="Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52"
transit="Transit,7 Dec 2026,9.30,A,0,000.00,51.29"
(cd "$home" && env -i HOME="$home" PATH=/usr/bin:/bin LC_ALL=C \
    /usr/bin/talvenor-report --crlf --natal "$record" --diurnal "$transit" natal-data) > "$home/page.txt"
cmp "$home/page.txt" tests/data/pages/sample-placidus-natal-data.txt \
    || { echo "the installed talvenor-report printed another page"; exit 1; }
[ -f "$home/.local/share/talvenor/OPTIONS.OPT" ] || { echo "the user's data folder was not made"; exit 1; }
[ ! -e "$home/.local/share/talvenor/ATLAS.DB" ] || { echo "the atlas was copied into the user's folder"; exit 1; }
env -i HOME="$home" PATH=/usr/bin:/bin LC_ALL=C.UTF-8 /usr/bin/talvenor-report places Ulm --limit 1 | grep -q "^Ulm	" \
    || { echo "the installed atlas does not find Ulm"; exit 1; }
/usr/bin/talvenor --version | grep -qx "talvenor $version" || { echo "talvenor --version is wrong"; exit 1; }
/usr/bin/talvenor-report --version | grep -qx "talvenor-report $version" || { echo "--version is wrong"; exit 1; }

# The menu entry's command starts the desktop program: it is still running after three seconds.
exec_line=$(sed -n 's/^Exec=//p' /usr/share/applications/org.talvenor.Talvenor.desktop)
set +e
env -i HOME="$home" PATH=/usr/bin:/bin QT_QPA_PLATFORM=offscreen timeout 3 $exec_line >/dev/null 2>&1
status=$?
set -e
[ $status -eq 124 ] || { echo "the menu entry's command '$exec_line' ended with $status instead of running"; exit 1; }
[ -f "$home/.local/share/talvenor/Talvenor.ini" ] || [ -d "$home/.local/share/talvenor/REPORTS" ] \
    || { echo "the desktop program did not start up in its data folder"; exit 1; }
rm -rf "$home"
echo "package $deb installs and runs"
