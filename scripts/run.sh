#!/usr/bin/env bash
# Sets up, builds and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build -DTALVENOR_BUILD_TESTS=OFF -DTALVENOR_BUILD_BENCH=OFF
exec build/cli/talvenor "$@"
