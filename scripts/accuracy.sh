#!/usr/bin/env bash
# Prints the accuracy tables of the README: the program's theory against a reference ephemeris over
# 1900-2100, and the modern engine against it with its data files over 1900-2099 and 1800-1899.
# Installs the reference library (libswe-dev) and its data files (swe-basic-data) when they are missing;
# only this tool uses them, the programs link nothing of them. Builds the tool into build-accuracy (or the
# folder given), checks the tool's own arithmetic, then runs it. The tables go to standard output,
# everything else to the error stream.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-accuracy}

missing=()
for package in libswe-dev swe-basic-data; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}" >&2
    export DEBIAN_FRONTEND=noninteractive
    apt-get update >&2
    apt-get install -y --no-install-recommends "${missing[@]}" >&2
fi

cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALVENOR_ACCURACY=ON -DTALVENOR_BUILD_TESTS=ON \
    -DTALVENOR_BUILD_GUI=OFF -DTALVENOR_BUILD_BENCH=OFF -DTALVENOR_SANITIZE=OFF -DTALVENOR_FUZZ=OFF >&2
cmake --build "$dir" --target talvenor-accuracy talvenor_accuracy_tests >&2
"$dir"/tools/accuracy/talvenor_accuracy_tests --gtest_brief=1 >&2
"$dir"/tools/accuracy/talvenor-accuracy
