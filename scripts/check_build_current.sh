#!/usr/bin/env bash
# Fails unless the tests that ctest would run in the given build folder are the tests of the code as it is
# now: the folder is configured with the tests, and every program a test starts from the build folder is
# one the build makes today (not a leftover of an earlier configuration) and is newer than every file it
# is made from (its sources, their headers, its libraries). Reads the build; builds nothing.
#   scripts/check_build_current.sh BUILD_FOLDER
set -euo pipefail
dir=${1:?usage: check_build_current.sh BUILD_FOLDER}
abs=$(cd "$dir" && pwd)
fail() { echo "check_build_current: $dir: $*" >&2; exit 1; }

grep -qx 'TALVENOR_BUILD_TESTS:BOOL=ON' "$abs/CMakeCache.txt" 2>/dev/null \
    || fail "not configured with the tests (TALVENOR_BUILD_TESTS is not ON); its test list is not this code's"
# ctest lists a test whose program is missing without its command; the test files still name it.
tests=$(ctest --test-dir "$abs" --show-only=json-v1 2>/dev/null) || fail "ctest cannot list the tests"
count=$(ctest --test-dir "$abs" -N 2>/dev/null | sed -n 's/^Total Tests: //p')
[ "${count:-0}" -gt 0 ] || fail "ctest finds no tests"

cd "$abs"
outputs=$(ninja -t targets all | sed -e 's/: [^:]*$//')
faults=0
programs=0
while IFS= read -r program; do
    target=${program#"$abs/"}
    if [ ! -e "$program" ]; then
        # A path the build makes but has not (a failed link removes its program); any other path that does
        # not exist is one a test makes for itself.
        if grep -qxF "$target" <<<"$outputs"; then
            echo "check_build_current: a test starts $program, which is not built" >&2
            faults=$((faults + 1))
        fi
        continue
    fi
    [ -f "$program" ] && [ -x "$program" ] || continue
    if ! grep -qxF "$target" <<<"$outputs"; then
        echo "check_build_current: a test starts $program, which the build no longer makes" >&2
        faults=$((faults + 1))
        continue
    fi
    programs=$((programs + 1))
    # What the program is made from: ninja's inputs, and the headers its objects were compiled with.
    inputs=$(ninja -t inputs "$target")
    objects=$(grep -E '\.o$' <<<"$inputs" || true)
    headers=""
    [ -z "$objects" ] || headers=$(ninja -t deps $objects | sed -n 's/^    //p')
    newer=$(printf '%s\n' $inputs $headers | sort -u | xargs -r -d '\n' bash -c \
            'for f; do [ -e "$f" ] && [ "$f" -nt "$0" ] && { echo "$f"; break; }; done; exit 0' "$target")
    if [ -n "$newer" ]; then
        echo "check_build_current: $program is older than $newer" >&2
        faults=$((faults + 1))
    fi
done < <({ echo "$tests"; find "$abs" \( -name CTestTestfile.cmake -o -name "*_tests.cmake" -o -name "*_include.cmake" \) -exec cat {} +; } | grep -oE "$abs/[^\"'|; ]+" \
          | sort -u)
[ $faults -eq 0 ] || fail "$faults test program(s) are not the code as it is now; build again"
[ $programs -gt 0 ] || fail "no test starts a program of this build"
echo "check_build_current: $dir: $count tests over $programs programs of the code as it is now"
