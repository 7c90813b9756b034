#!/usr/bin/env bash
# Writes data/ephemeris/ from the npm packages named in package.json. Needs node and the npm registry; run
# once when the tables are to change, and commit what it writes.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$here/package.json" "$work/"
(cd "$work" && npm install --no-audit --no-fund --silent)
node "$here/generate_tables.mjs" "$work/node_modules/astronomia" "$here/../../data/ephemeris"
node "$here/generate_pluto.mjs" "$work/node_modules" "$here/../../data/ephemeris"
