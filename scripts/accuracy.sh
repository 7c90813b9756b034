#!/usr/bin/env bash
# Prints the accuracy table of the README: the engine against a reference ephemeris over 1900-2100.
# Installs the reference library (libswe-dev) when it is missing; only this tool uses it, the programs
# link nothing of it. Builds the tool into build-accuracy (or the folder given), checks the tool's own
# arithmetic, then runs it. The table goes to standard output, everything else to the error stream.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-accuracy}

if ! dpkg-query -W -f='${Status}' libswe-dev 2>/dev/null | grep -q "install ok installed"; then
    echo "Installing: libswe-dev" >&2
    export DEBIAN_FRONTEND=noninteractive
    apt-get update >&2
    apt-get install -y --no-install-recommends libswe-dev >&2
fi

cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALVENOR_ACCURACY=ON -DTALVENOR_BUILD_TESTS=ON \
    -DTALVENOR_BUILD_GUI=OFF -DTALVENOR_BUILD_BENCH=OFF -DTALVENOR_SANITIZE=OFF -DTALVENOR_FUZZ=OFF >&2
cmake --build "$dir" --target talvenor-accuracy talvenor_accuracy_tests >&2
"$dir"/tools/accuracy/talvenor_accuracy_tests --gtest_brief=1 >&2
"$dir"/tools/accuracy/talvenor-accuracy
