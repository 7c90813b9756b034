#!/usr/bin/env bash
# Sets up, builds and runs every test: once in the normal build (and checks the Debian package made from
# it), once with the address and undefined-behaviour sanitizers; then runs every fuzz target for a
# bounded time (scripts/fuzz.sh) and checks the README's accuracy tables against the accuracy tool.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

# Every option is given, whatever an earlier configuration of the folder left in its cache, and the tests
# run only when the programs they start are the code as it is now.
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALVENOR_BUILD_TESTS=ON -DTALVENOR_BUILD_BENCH=ON \
    -DTALVENOR_BUILD_GUI=ON -DTALVENOR_SANITIZE=OFF -DTALVENOR_FUZZ=OFF -DTALVENOR_ACCURACY=OFF
scripts/check_build_current.sh build
ctest --test-dir build --output-on-failure -j2
# The Debian package: built, checked, installed, run from a fresh home and removed again.
scripts/check_package.sh build

scripts/build.sh build-sanitize -DCMAKE_BUILD_TYPE=Debug -DTALVENOR_BUILD_TESTS=ON -DTALVENOR_BUILD_BENCH=OFF \
    -DTALVENOR_BUILD_GUI=ON -DTALVENOR_SANITIZE=ON -DTALVENOR_FUZZ=OFF -DTALVENOR_ACCURACY=OFF
scripts/check_build_current.sh build-sanitize
ctest --test-dir build-sanitize --output-on-failure -j2

FUZZ_SEED=1 scripts/fuzz.sh

# The accuracy tables of the README are the ones the accuracy tool prints (the tool alone uses the reference
# ephemeris library and its data files, which scripts/accuracy.sh installs; the programs link nothing of it).
scripts/accuracy.sh build-accuracy >/dev/null
ctest --test-dir build-accuracy -R '^accuracy\.readme_table$' --output-on-failure
