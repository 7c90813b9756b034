#!/usr/bin/env bash
# Sets up, builds and starts the program.
#   scripts/run.sh                 the desktop program (needs a display; without one:
#                                  xvfb-run -a scripts/run.sh)
#   scripts/run.sh report ARGS...  the command-line report tool, e.g.
#     scripts/run.sh report --natal "Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52" natal-data
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh >&2
# A build folder of its own, without tests and benchmarks, so that the test command's folder keeps its tests.
scripts/build.sh build-run -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALVENOR_BUILD_TESTS=OFF -DTALVENOR_BUILD_BENCH=OFF \
    -DTALVENOR_BUILD_GUI=ON -DTALVENOR_SANITIZE=OFF -DTALVENOR_FUZZ=OFF -DTALVENOR_ACCURACY=OFF >&2
if [ "${1:-}" = "report" ]; then
    shift
    exec build-run/cli/talvenor-report "$@"
fi
exec build-run/gui/talvenor "$@"
