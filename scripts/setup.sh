#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing.
set -euo pipefail

packages=(cmake ninja-build g++ libgtest-dev libbenchmark-dev locales qt6-base-dev libgl-dev libsqlite3-dev sqlite3 zlib1g-dev tzdata fonts-liberation2 xvfb xauth poppler-utils
          clang-14 libclang-rt-14-dev libcups2-dev cups cups-client printer-driver-cups-pdf
          qt6-svg-dev fonts-dejavu-core fonts-noto-core imagemagick appstream desktop-file-utils dpkg-dev file lintian
          liberfa-dev pkg-config)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    apt-get install -y --no-install-recommends "${missing[@]}"
fi

# A locale with a decimal comma, so the tests can show that number reading ignores the locale.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen >/dev/null
fi
