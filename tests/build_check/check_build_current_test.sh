#!/usr/bin/env bash
# The build check passes on a finished build with its tests, and fails when the tests would run programs
# older than the code: a source or a header edited after the build, a build configured without the tests
# (its old test list left behind), a test program the build no longer makes.
#   check_build_current_test.sh CHECK_SCRIPT TOY_PROJECT
set -u
check=$1
toy=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$toy" "$work/src"
faults=0
expect() {  # expect STATUS WHAT
    local want=$1 what=$2 output status
    output=$("$check" "$work/build" 2>&1)
    status=$?
    if [ $status -ne "$want" ]; then
        echo "FAIL: $what: the check ended with $status, expected $want: $output"
        faults=$((faults + 1))
    else
        echo "ok: $what: $(tail -1 <<<"$output")"
    fi
}
configure() { cmake -S "$work/src" -B "$work/build" -G Ninja "$@" >/dev/null || { echo "cannot configure"; exit 1; }; }
build() { cmake --build "$work/build" >/dev/null || { echo "cannot build"; exit 1; }; }
later() { sleep 0.01; touch "$@"; }  # a later modification time than anything built before

configure -DTALVENOR_BUILD_TESTS=ON
expect 1 "configured, nothing built"
build
expect 0 "a finished build"
later "$work/src/program.cc"
expect 1 "a source edited after the build"
build
expect 0 "built again"
later "$work/src/answer.h"
expect 1 "a header edited after the build"
build
configure -DTALVENOR_BUILD_TESTS=OFF
build
expect 1 "configured without the tests, the old test list left behind"
configure -DTALVENOR_BUILD_TESTS=ON
build
expect 0 "configured with the tests again"
# A failed link leaves no program behind, while the test list still names it.
rm "$work/build/toy_tests"
expect 1 "a test program whose build failed"
build
# A test list that names a program the build does not make (left from an earlier configuration).
cp "$work/build/toy_tests" "$work/build/old_tests"
sed -i "s|$work/build/toy_tests|$work/build/old_tests|" "$work/build/CTestTestfile.cmake"
expect 1 "a test program left over from an earlier build"

[ $faults -eq 0 ] || exit 1
