#!/usr/bin/env bash
# Runs a cross-built GoogleTest program under Wine. It is those programs' emulator
# (CROSSCOMPILING_EMULATOR, see cmake/wine_tests.cmake), so gtest_discover_tests lists their
# tests through it when they are built, and CTest runs each test through it:
#
#   wine_test.sh PROGRAM.exe --gtest_list_tests ...  lists, in a session of its own, no display
#   wine_test.sh PROGRAM.exe --gtest_filter=TEST ...  runs in the session that the fixture of the
#                                                      density VORLITH_E2E_DPI (96) started, or
#                                                      of the two monitors (VORLITH_WINE_SESSION
#                                                      twomon)
set -euo pipefail
root=$(cd "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/../../.." && pwd)
source "$root/scripts/wine-env.sh"

program=${1:?program}
shift
# Output through files: a process that Wine starts in the background must not hold a pipe of
# CMake's or CTest's open after the program has ended.
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT

for argument in "$@"; do
    if [[ $argument == --gtest_list_tests ]]; then
        rc=0
        "$root/scripts/wine-session.sh" --headless -- \
            timeout -k 5 120 wine "$program" "$@" </dev/null >"$out" 2>"$err" || rc=$?
        tr -d '\r' <"$out"
        tr -d '\r' <"$err" >&2
        exit "$rc"
    fi
done

# The programs test vorlith.exe beside them.
if [[ ! -f $program || ! -f $(dirname "$program")/vorlith.exe ]]; then
    echo "FAIL: $program or vorlith.exe beside it is missing;" \
        "build the Windows program: cmake --preset mingw && cmake --build --preset mingw" >&2
    exit 1
fi
# The session of the test's density, or of the two monitors; the two-monitor suite fails rather
# than skips when its desktop is not the one it expects.
if [[ ${VORLITH_WINE_SESSION:-} == twomon ]]; then
    vorlith_use_prefix twomon
    export VORLITH_E2E_TWO_MONITORS=1
else
    vorlith_use_prefix "${VORLITH_E2E_DPI:-96}"
fi
session_file=$WINEPREFIX.session
if [[ ! -f $session_file ]]; then
    echo "FAIL: no Wine session for $WINEPREFIX (the fixture's setup did not run or failed)" >&2
    exit 1
fi
# shellcheck disable=SC1090
source "$session_file"
# The session is the run's own (tests/support/desktop.h): tests may change its system colours.
export DISPLAY XAUTHORITY VORLITH_SESSION=1
# Within the 300 s that CTest gives each test (cmake/wine_tests.cmake).
VORLITH_WINE_TIMEOUT=290
started() {
    grep -q '^\[==========\] Running' "$out"
}
rc=0
begin=$SECONDS
vorlith_wine "$program" "$@" </dev/null >"$out" 2>&1 || rc=$?
if ((rc != 0 && rc != 124 && rc != 137)) && ! started; then
    # Rarely (about one full run in ten here) wine has ended with exit code 1 some 20 ms after
    # it was started, before the test program ran a line of its own; the same start then
    # succeeds. Nothing of the test ran, so it is started once more, and what the failed start
    # printed is kept in the output.
    echo "wine_test: wine ended with exit code $rc after $((SECONDS - begin)) s, before the" \
        "test program started its tests; it printed:"
    tr -d '\r' <"$out" | sed 's/^/wine_test:   /'
    echo "wine_test: starting it once more"
    rc=0
    vorlith_wine "$program" "$@" </dev/null >"$out" 2>&1 || rc=$?
fi
tr -d '\r' <"$out"
if ((rc == 124 || rc == 137)); then
    echo "FAIL: not finished within $VORLITH_WINE_TIMEOUT s" >&2
    exit 1
fi
if ((rc != 0)) && ! started; then
    echo "FAIL: wine ended with exit code $rc before the test program started its tests" >&2
    exit 1
fi
if ((rc == 0)) && ! grep -qE '^\[  (PASSED  |SKIPPED )\] [1-9]' "$out"; then
    echo "FAIL: no test ran" >&2
    exit 1
fi
exit "$rc"
