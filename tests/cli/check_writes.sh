#!/usr/bin/env bash
# Output that cannot be written is an error for every command of the report tool, never a success.
#   check_writes.sh TALVENOR_REPORT WORK_FOLDER TEST_DATA_FOLDER MODE
# MODE full:        standard output on a full device: exit 1 and one line on stderr that says so.
# MODE closed-pipe: the reader has gone before the first byte (as "| head" leaves it): the run ends
#                   quietly, whether the pipe's signal ends it or, where that signal is ignored, the
#                   failed write does (exit 1).
# MODE files:       a disk that is full (a file size limit stands in for it): standard output cut short in
#                   a file is an error, and a file of --output is reported and never left cut.
# The report tool's own folder is its data folder (the options, the names file and the atlas the build
# put there): TALVENOR_DATA_DIR is set by the test.
set -u
exe=$(realpath "$1")
work=$2
data=$(realpath "$3")
mode=$4
faults=0
fault() { echo "FAULT: $*"; faults=$((faults + 1)); }

rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1
sample="Sample Person,14 Mar 1962,10.15,P,6,087.39,41.52"
transit="Transit,7 Dec 2026,9.30,A,0,000.00,51.29"
# A names file large enough to fill more than the file size limit below.
for i in $(seq 1 60); do echo "Person $i,14 Mar 1962,10.15,P,6,087.39,41.52"; done >BIG.FIL
sed -n 1p BIG.FIL >ONE.FIL

# One command a line, its arguments separated by "|".
commands=(
    "--natal|$sample|--diurnal|$transit|natal-data"
    "--natal|$sample|--diurnal|$transit|sort|--modulus|45"
    "--natal|$sample|--diurnal|$transit|dump"
    "--natal|$sample|--diurnal|$transit|dial-panel|--modulus|45|--pointer|13.4|--pictures"
    "--natal|$sample|--diurnal|$transit|pictures|--modulus|45|--tsv"
    "--natal|$sample|--diurnal|$transit|events|--from|1 Jan 2027|--to|31 Jan 2027|--movers|SUN,MAR"
    "--names|ONE.FIL|--diurnal|$transit|natal-data"
    "--names|ONE.FIL|--tsv"
    "--names|BIG.FIL|--jobs|4|--diurnal|$transit|natal-data"
    "places|Ulm|--limit|3"
    "zone|--tz|Europe/Berlin|--date|14 Mar 2024|--time|10.15"
    "export|ONE.FIL|--format|aaf"
    "export|ONE.FIL|--format|csv"
    "export|ONE.FIL|--format|qck"
    "import|$data/exchange/names.qck|--format|qck|--to|IMPORTED.FIL"
    "--help"
    "--version"
)

# Runs one command with stdout as given by the caller's redirection; stderr into err.txt.
run() {
    local line=$1
    shift
    local -a args
    IFS='|' read -ra args <<<"$line"
    rm -f IMPORTED.FIL IMPORTED.OLD
    "$@" "$exe" "${args[@]}" 2>err.txt
}

lines() { grep -c '' err.txt; }

case $mode in
full)
    for line in "${commands[@]}"; do
        run "$line" >/dev/full
        status=$?
        [ "$status" -eq 1 ] || fault "$line: exit $status on a full device, expected 1"
        grep -q "^talvenor-report: the output could not be written: No space left on device$" err.txt &&
            [ "$(lines)" -eq 1 ] || fault "$line: stderr is not the one line that says so: $(cat err.txt)"
    done
    ;;
closed-pipe)
    # perl makes a pipe, closes its reading end and runs the command with the other as its stdout.
    closed='pipe(R, W) or die; close R; open(STDOUT, ">&W") or die; close W; exec @ARGV or die'
    for line in "${commands[@]}"; do
        run "$line" perl -e "$closed"
        status=$?
        [ "$status" -ne 0 ] || fault "$line: exit 0 though nothing was read"
        [ ! -s err.txt ] || fault "$line: a closed pipe is not quiet: $(cat err.txt)"
        run "$line" perl -e "\$SIG{PIPE} = 'IGNORE'; $closed"
        status=$?
        [ "$status" -eq 1 ] || fault "$line: exit $status on a closed pipe with its signal ignored, expected 1"
        [ ! -s err.txt ] || fault "$line: a closed pipe with its signal ignored is not quiet: $(cat err.txt)"
    done
    ;;
files)
    # Beyond 1 KiB a write fails (and the signal that would end the program instead is ignored).
    limited() { (trap '' XFSZ && ulimit -f 1 && exec "$@"); }
    "$exe" export BIG.FIL --format csv >whole.csv 2>/dev/null
    [ "$(stat -c %s whole.csv)" -gt 1024 ] || fault "the export of BIG.FIL is too small for the test"

    # Standard output into a file that cannot take all of it: a cut file is an error.
    limited "$exe" export BIG.FIL --format csv >cut.csv 2>err.txt
    status=$?
    [ "$status" -eq 1 ] || fault "export into a full disk: exit $status, expected 1"
    grep -q "^talvenor-report: the output could not be written: File too large$" err.txt && [ "$(lines)" -eq 1 ] ||
        fault "export into a full disk: $(cat err.txt)"
    limited "$exe" --names BIG.FIL --tsv >cut.tsv 2>err.txt
    status=$?
    [ "$status" -eq 1 ] || fault "--names --tsv into a full disk: exit $status, expected 1"
    grep -q "could not be written" err.txt || fault "--names --tsv into a full disk: $(cat err.txt)"

    # --output: the failure is reported and the file that was there is kept whole.
    echo "kept" >out.csv
    limited "$exe" export BIG.FIL --format csv --output out.csv 2>err.txt
    status=$?
    [ "$status" -eq 1 ] || fault "export --output on a full disk: exit $status, expected 1"
    grep -q "the file out.csv could not be written" err.txt || fault "export --output on a full disk: $(cat err.txt)"
    [ "$(cat out.csv)" = "kept" ] || fault "export --output on a full disk left out.csv changed"
    [ -z "$(ls -A | grep 'tmp~')" ] || fault "export --output on a full disk left a temporary file: $(ls -A)"
    if [ "${DRAWING:-}" = 1 ]; then
        limited "$exe" --natal "$sample" --diurnal "$transit" dial --output dial.png 2>err.txt
        status=$?
        [ "$status" -eq 1 ] || fault "dial --output on a full disk: exit $status, expected 1"
        grep -q "could not be written" err.txt || fault "dial --output on a full disk: $(cat err.txt)"
        [ ! -e dial.png ] || fault "dial --output on a full disk left a cut dial.png"
    fi
    ;;
*)
    echo "unknown mode $mode"
    exit 1
    ;;
esac

[ "$faults" -eq 0 ] || exit 1
echo "all commands checked ($mode)"
