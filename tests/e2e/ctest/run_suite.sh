#!/usr/bin/env bash
# Runs one suite of the end-to-end driver under Wine on the fixture's display.
#
#   run_suite.sh STATE_FILE DRIVER_EXE SUITE        runs SUITE.* and */SUITE.*
#   run_suite.sh STATE_FILE DRIVER_EXE '*'          runs every test of the driver
#   run_suite.sh STATE_FILE DRIVER_EXE --suites "A;B"  checks that the driver has exactly these
set -euo pipefail

state=${1:?state file}
driver=${2:?driver exe}
suite=${3:?suite name}
source "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/wine-env.sh"

if [[ ! -f $driver ]]; then
    echo "FAIL: the end-to-end driver $driver does not exist;" \
        "build the Windows program first: cmake --preset mingw && cmake --build --preset mingw" >&2
    exit 1
fi
if [[ ! -f $(dirname "$driver")/vorlith.exe ]]; then
    echo "FAIL: $(dirname "$driver")/vorlith.exe does not exist" >&2
    exit 1
fi
if [[ ! -f $state ]]; then
    echo "FAIL: no Wine test display (the fixture e2e.setup did not run or failed)" >&2
    exit 1
fi
# shellcheck disable=SC1090
source "$state"
export DISPLAY=$VORLITH_STATE_DISPLAY
export WINEPREFIX=$VORLITH_STATE_WINEPREFIX
VORLITH_WINE_TIMEOUT=${VORLITH_SUITE_TIMEOUT:-280}

# The output goes through a file: a process that Wine starts in the background must not hold
# CTest's pipe open after the driver has ended.
log=$(mktemp)
trap 'rm -f "$log"' EXIT

if [[ $suite == --suites ]]; then
    expected=${4:?suite list}
    rc=0
    vorlith_wine "$driver" --gtest_list_tests </dev/null >"$log" 2>&1 || rc=$?
    if ((rc != 0)); then
        cat "$log"
        echo "FAIL: the driver could not list its tests (exit $rc)" >&2
        exit 1
    fi
    # Suite lines have no indent and end in a dot; a parameterised suite has a prefix "Name/".
    actual=$(grep -E '^[^ ].*\.' "$log" | tr -d '\r' | sed -E 's/\.$//; s/.*\///' | sort -u)
    wanted=$(tr ';' '\n' <<<"$expected" | sort -u)
    if [[ $actual != "$wanted" ]]; then
        echo "FAIL: the suites of the driver and those registered with CTest differ" >&2
        diff <(echo "$wanted") <(echo "$actual") | sed 's/^</registered only:/; s/^>/in the driver only:/' >&2
        exit 1
    fi
    echo "suites: $(tr '\n' ' ' <<<"$actual")"
    exit 0
fi

filter=()
if [[ $suite != '*' ]]; then
    filter=("--gtest_filter=$suite.*:*/$suite.*")
fi
rc=0
vorlith_wine "$driver" "${filter[@]}" </dev/null >"$log" 2>&1 || rc=$?
tr -d '\r' <"$log"
if ((rc == 124 || rc == 137)); then
    echo "FAIL: the suite $suite did not finish within $VORLITH_WINE_TIMEOUT s" >&2
    exit 1
fi
if ((rc == 0)) && ! grep -qE '^\[  PASSED  \] [1-9][0-9]* test' "$log"; then
    echo "FAIL: no test ran (suite $suite)" >&2
    exit 1
fi
exit "$rc"
