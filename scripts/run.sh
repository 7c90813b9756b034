#!/usr/bin/env bash
# Sets up, builds and starts the program.
#   scripts/run.sh                 the desktop program (needs a display; without one:
#                                  xvfb-run -a scripts/run.sh)
#   scripts/run.sh report ARGS...  the command-line report tool, e.g.
#     scripts/run.sh report --natal "Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52" natal-data
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh >&2
scripts/build.sh build -DTALVENOR_BUILD_TESTS=OFF -DTALVENOR_BUILD_BENCH=OFF >&2
if [ "${1:-}" = "report" ]; then
    shift
    exec build/cli/talvenor-report "$@"
fi
exec build/gui/talvenor "$@"
