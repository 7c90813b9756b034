#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ (build folder build-fuzz, clang with the address and
# undefined-behaviour sanitizers) and runs each for a bounded time, two at a time. Fails when any target
# reports a crash, a leak, a timeout or running out of memory; the input that did it is left in
# build-fuzz/artifacts/ and its log in build-fuzz/logs/.
#   scripts/fuzz.sh              every target, FUZZ_SECONDS (default 20) seconds each
#   scripts/fuzz.sh names_file   only the named targets
# FUZZ_JOBS sets how many targets run at once (default: the number of processors, at most 2). FUZZ_SEED
# fixes libFuzzer's random seed, so that a run tries the same inputs in the same order every time (the
# test command does, so that its failures come from the code, not from chance); without it each run
# explores afresh.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-20}
parallel=${FUZZ_JOBS:-$(($(nproc) < 2 ? 1 : 2))}
# libFuzzer takes a total time of 0 as no limit at all.
if ! [ "$seconds" -ge 1 ] 2>/dev/null; then
    echo "fuzz: FUZZ_SECONDS must be a whole number of seconds, at least 1" >&2
    exit 2
fi
seed_option=()
if [ -n "${FUZZ_SEED:-}" ]; then
    # libFuzzer takes a seed of 0 as none at all.
    if ! [ "$FUZZ_SEED" -ge 1 ] 2>/dev/null; then
        echo "fuzz: FUZZ_SEED must be a whole number, at least 1" >&2
        exit 2
    fi
    seed_option=(-seed="$FUZZ_SEED")
fi
build=build-fuzz
cxx=${FUZZ_CXX:-$(command -v clang++-14 || command -v clang++ || true)}
if [ -z "$cxx" ]; then
    echo "fuzz: clang++ not found (scripts/setup.sh installs clang-14)" >&2
    exit 2
fi

cmake -S . -B "$build" -G Ninja -DTALVENOR_FUZZ=ON -DCMAKE_CXX_COMPILER="$cxx" -DTALVENOR_BUILD_TESTS=OFF \
    -DTALVENOR_BUILD_BENCH=OFF -DTALVENOR_BUILD_GUI=OFF >/dev/null
cmake --build "$build" --target talvenor_fuzz

if [ $# -gt 0 ]; then
    targets=("$@")
else
    targets=()
    for exe in "$build"/fuzz/fuzz_*; do
        [ -x "$exe" ] && targets+=("${exe##*/fuzz_}")
    done
fi

root=$(pwd)
logs="$root/$build/logs"
artifacts="$root/$build/artifacts"
mkdir -p "$logs" "$artifacts"
# The readers' files go to a memory-backed folder where there is one: every input is written to a file,
# and the last-page file is flushed to the disk on each run of the help texts.
scratch_parent=/dev/shm
[ -d "$scratch_parent" ] && [ -w "$scratch_parent" ] || scratch_parent="$root/$build"
scratch=$(mktemp -d "$scratch_parent/talvenor-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

# One target: a fresh working corpus (new inputs land there, never in fuzz/corpus), the seeds and the
# regression inputs of fuzz/corpus/<target> after it.
run_target() {
    local name=$1
    local work="$root/$build/corpus/$name"
    rm -rf "$work" "$artifacts/$name"-*
    mkdir -p "$work" "$scratch/$name"
    local seeds=()
    [ -d "$root/fuzz/corpus/$name" ] && seeds=("$root/fuzz/corpus/$name")
    TMPDIR="$scratch/$name" "$root/$build/fuzz/fuzz_$name" -max_total_time="$seconds" -rss_limit_mb=2048 \
        -timeout=10 -max_len=8192 -print_final_stats=1 "${seed_option[@]}" -artifact_prefix="$artifacts/$name-" \
        "$work" "${seeds[@]}" >"$logs/$name.log" 2>&1
}

names=()
for name in "${targets[@]}"; do
    if [ ! -x "$build/fuzz/fuzz_$name" ]; then
        echo "fuzz: no target $name" >&2
        exit 2
    fi
    while [ "$(jobs -rp | wc -l)" -ge "$parallel" ]; do wait -n || true; done
    echo "fuzz: $name (${seconds}s)"
    rm -f "$logs/$name.status"
    (
        set +e
        run_target "$name"
        echo $? >"$logs/$name.status"
    ) &
    names+=("$name")
done
wait

failed=()
for name in "${names[@]}"; do
    [ "$(cat "$logs/$name.status" 2>/dev/null)" = 0 ] || failed+=("$name")
done

printf '%-16s %12s %10s\n' target executions "exec/s"
for name in "${names[@]}"; do
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$logs/$name.log" | tail -1)
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$logs/$name.log" | tail -1)
    printf '%-16s %12s %10s\n' "$name" "${runs:-?}" "${rate:-?}"
done

for name in "${failed[@]}"; do
    echo "fuzz: $name FAILED; log $logs/$name.log" >&2
    grep -E 'ERROR|SUMMARY|broken promise|Test unit written|timeout' "$logs/$name.log" | head -20 >&2 || true
done
echo "fuzz: $((${#names[@]} - ${#failed[@]})) passed, ${#failed[@]} failed"
[ ${#failed[@]} -eq 0 ]
