#!/usr/bin/env bash
# A damaged atlas index is made again: the index of a small atlas gets stretches of zeros in its middle
# (its header intact, so that it still opens, and every search answered "database disk image is
# malformed"), and the report tool's place search and an import's place lookup still answer, each with one
# line on standard error that the index is being made. Needs the sqlite3 shell.
#   check_damaged_index.sh TALVENOR_REPORT WORK_FOLDER
set -u
exe=$1
work=$2
rm -rf "$work" && mkdir -p "$work/data" || exit 1
faults=0
fault() { echo "$*"; faults=$((faults + 1)); }

{
    echo "# places"
    for i in $(seq 1 4000); do
        printf 'Place %d\t\tOther %d\tDE\t01\t%d.5\t%d.25\tEurope/Berlin\t%d\n' "$i" "$i" $((47 + i % 7)) \
            $((6 + i % 9)) $((1000000 - i))
    done
    printf 'Kandel\t\t\tDE\t11\t49.0828\t8.1972\tEurope/Berlin\t8854\n'
} >"$work/data/ATLAS.TXT"
printf 'DE.01\tBaden-W\xc3\xbcrttemberg\nDE.11\tRhineland-Palatinate\n' >"$work/data/ATLASREG.TXT"
printf 'DE\tGermany\t\n' >"$work/data/ATLASCTY.TXT"

# Zeros over the leaf pages of the places and their names, where every search goes: the header, the
# schema, the index's signature and the word index's structure stay, so that the index opens as before.
zero_the_middle() {
    local size pages page
    size=$(sqlite3 "$1" "PRAGMA page_size") || { fault "sqlite3 cannot read $1"; return; }
    pages=$(sqlite3 "$1" "SELECT pageno FROM dbstat WHERE name IN ('name_keys', 'places') AND pagetype = 'leaf'")
    [ -n "$pages" ] || fault "no leaf pages found in $1"
    for page in $pages; do
        dd if=/dev/zero of="$1" bs="$size" seek=$((page - 1)) count=1 conv=notrunc status=none
    done
}
# Runs the tool; checks its status, that stdout holds the text and that stderr is one line with the text
# (or empty when no text is given).
run() {
    local status=$1 out=$2 err=$3
    shift 3
    "$exe" "$@" >"$work/out" 2>"$work/err"
    local got=$?
    [ "$got" -eq "$status" ] || fault "$*: exit $got, expected $status: $(cat "$work/err")"
    grep -qF -- "$out" "$work/out" || fault "$*: stdout lacks '$out': $(cat "$work/out")"
    if [ -n "$err" ]; then
        [ "$(wc -l <"$work/err")" -eq 1 ] || fault "$*: expected one line on stderr: $(cat "$work/err")"
        grep -qF -- "$err" "$work/err" || fault "$*: stderr lacks '$err': $(cat "$work/err")"
    else
        [ ! -s "$work/err" ] || fault "$*: stderr is not empty: $(cat "$work/err")"
    fi
}

# First use: the index is made, and said so; then it serves as it is.
run 0 "Place 2500" "making the index of the world atlas" places "Place 2500" --limit 1 --data-dir "$work/data"
[ -f "$work/data/ATLAS.DB" ] || fault "no index was made"
run 0 "Place 2500" "" places "Place 2500" --limit 1 --data-dir "$work/data"

# Zeros in the middle: made again, and the search answers.
zero_the_middle "$work/data/ATLAS.DB"
run 0 "Place 2500" "making the index of the world atlas" places "Place 2500" --limit 1 --data-dir "$work/data"
run 0 "Place 17" "" places "Place 17" --limit 1 --data-dir "$work/data"

# The import's place lookup, with the index damaged again.
zero_the_middle "$work/data/ATLAS.DB"
printf 'name,date,time,zone,longitude,latitude,place,country\r\nWinter Child,1980-01-15,12:00,,008E11,49N05,Kandel,Germany\r\n' \
    >"$work/births.csv"
(cd "$work" && "$exe" import births.csv --to NAMES.FIL --data-dir "$work/data" >"$work/out" 2>"$work/err")
status=$?
[ "$status" -eq 0 ] || fault "import: exit $status: $(cat "$work/err")"
grep -qF "Winter Child,15 Jan 1980,12.00,P,-1,-008.11,49.05" "$work/NAMES.FIL" 2>/dev/null ||
    fault "import: the zone was not looked up: $(cat "$work/err")"
[ "$(grep -c "making the index of the world atlas" "$work/err")" -eq 1 ] ||
    fault "import: the index was not said to be made once: $(cat "$work/err")"

[ $faults -eq 0 ] || { echo "$faults fault(s)"; exit 1; }
echo "a damaged index is made again for the search and for the import"
