#!/usr/bin/env bash
# Reports over a whole names file on several threads, run as a user runs them.
#   check_jobs.sh TALVENOR_REPORT WORK_FOLDER
# - stdout, stderr and the exit status are the same for --jobs 1, 2, 3 and 8 and without --jobs, for a
#   names file that mixes good records, refused records and a damaged line, for the natal data page, a
#   midpoint report on a dial, the table and CR LF line ends;
# - standard output on a full device with --jobs 4: the one message of a failed write and exit 1, in time;
# - a termination or an interrupt in the middle of a long run: exit 143 or 130, and what was written is the
#   start of the whole output, ending with a whole page.
# The report tool's own folder is its data folder: TALVENOR_DATA_DIR is set by the test.
set -u
exe=$(realpath "$1")
work=$2
faults=0
fault() { echo "FAULT: $*"; faults=$((faults + 1)); }

rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1
transit="Transit,7 Dec 2026,9.30,A,0,000.00,51.29"

# Good records of many years and places, refused ones among them, a blank line and, near the end, a line
# of too few fields.
months=(Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
for i in $(seq 0 59); do
    printf 'Person %d,%02d %s %d,%d.%02d,%s,%d,%03d.%02d,%02d.%02d\r\n' "$i" $((1 + i % 28)) "${months[i % 12]}" \
        $((1850 + i * 3)) $((1 + i % 12)) $(((i * 7) % 60)) "$([ $((i % 2)) -eq 0 ] && echo A || echo P)" \
        $((i % 10)) $(((i * 17) % 150)) $((i % 60)) $(((i * 7) % 60)) $(((i * 11) % 60))
    case $((i % 13)) in
    4) printf 'Bad Date %d,31 Feb 1962,10.15,P,6,087.39,41.52\r\n' "$i" ;;
    7) printf 'High North %d,14 Mar 1962,10.15,P,6,087.39,71.52\r\n' "$i" ;;
    9) printf 'Bad\033[2JName %d,14 Mar 1962,1x.15,P,6,087.39,41.52\r\n' "$i" ;;
    esac
    [ "$i" -eq 30 ] && printf '\r\n'
done >MIXED.FIL
printf 'Short Line,14 Mar 1962,10.15,P\r\nAfter,14 Mar 1962,10.15,P,6,087.39,41.52\r\n' >>MIXED.FIL

# One run a line, its arguments separated by "|".
runs=(
    "--names|MIXED.FIL|--diurnal|$transit|natal-data"
    "--crlf|--names|MIXED.FIL|--diurnal|$transit|natal-data"
    "--names|MIXED.FIL|--diurnal|$transit|transit-tree|--modulus|22.5"
    "--names|MIXED.FIL|--diurnal|$transit|natal-midpoints"
    "--names|MIXED.FIL|--tsv"
    "--crlf|--names|MIXED.FIL|--tsv"
)
for line in "${runs[@]}"; do
    IFS='|' read -ra args <<<"$line"
    "$exe" "${args[@]}" --jobs 1 >one.out 2>one.err
    one=$?
    [ "$one" -eq 1 ] || fault "$line --jobs 1: exit $one, expected 1 for the refused records"
    [ "$(grep -c 'line ' one.err)" -eq 15 ] || fault "$line --jobs 1: the refused records are not all named: $(cat one.err)"
    [ -s one.out ] || fault "$line --jobs 1: no output"
    for jobs in 2 3 8 default; do
        if [ "$jobs" = default ]; then
            "$exe" "${args[@]}" >many.out 2>many.err
        else
            "$exe" "${args[@]}" --jobs "$jobs" >many.out 2>many.err
        fi
        status=$?
        [ "$status" -eq "$one" ] || fault "$line --jobs $jobs: exit $status, with one thread $one"
        cmp -s one.out many.out || fault "$line --jobs $jobs: the output differs from one thread's"
        cmp -s one.err many.err || fault "$line --jobs $jobs: the messages differ from one thread's: $(cat many.err)"
    done
done

# Many records, enough for a run that lasts a while.
for i in $(seq 0 5999); do
    printf 'Person %d,%02d %s %d,%d.%02d,P,%d,%03d.%02d,%02d.%02d\r\n' "$i" $((1 + i % 28)) "${months[i % 12]}" \
        $((1700 + i % 390)) $((1 + i % 12)) $((i % 60)) $(((i % 120) / 15)) $((i % 120)) $((i % 60)) $((i % 60)) \
        $(((i * 7) % 60))
done >LONG.FIL

timeout 120 "$exe" --names LONG.FIL --diurnal "$transit" --jobs 4 natal-data >/dev/full 2>err.txt
status=$?
[ "$status" -ne 124 ] || fault "a full device with --jobs 4: the run did not end"
[ "$status" -eq 1 ] || fault "a full device with --jobs 4: exit $status, expected 1"
[ "$(cat err.txt)" = "talvenor-report: the output could not be written: No space left on device" ] ||
    fault "a full device with --jobs 4: $(cat err.txt)"

# A termination or an interrupt once the first pages are out. A command run in the background of a script
# ignores interrupts; perl gives the tool the default action back, as a terminal's Ctrl+C finds it.
"$exe" --names LONG.FIL --diurnal "$transit" --jobs 1 natal-data >whole.out 2>/dev/null
whole=$(stat -c %s whole.out)
for run in "TERM 143 1" "TERM 143 2" "TERM 143 4" "INT 130 1" "INT 130 3"; do
    read -r signal expected jobs <<<"$run"
    perl -e '$SIG{INT} = "DEFAULT"; exec @ARGV or die' \
        "$exe" --names LONG.FIL --diurnal "$transit" --jobs "$jobs" natal-data >cut.out 2>cut.err &
    pid=$!
    for _ in $(seq 1 2000); do
        [ -s cut.out ] && break
        sleep 0.01
    done
    kill -"$signal" "$pid"
    wait "$pid"
    status=$?
    what="SIG$signal with --jobs $jobs"
    [ "$status" -eq "$expected" ] || fault "$what: exit $status, expected $expected"
    [ ! -s cut.err ] || fault "$what: $(cat cut.err)"
    size=$(stat -c %s cut.out)
    [ "$size" -lt "$whole" ] || fault "$what: the run was not cut short"
    cmp -s -n "$size" cut.out whole.out || fault "$what: the output is not the start of the whole"
    next=$(tail -c +"$((size + 1))" whole.out | head -c 1 | od -An -c | tr -d ' ')
    [ "$next" = '\f' ] || fault "$what: the output ends within a page (next: $next)"
done

[ "$faults" -eq 0 ] || exit 1
echo "all runs checked"
