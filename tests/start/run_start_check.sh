#!/usr/bin/env bash
# Starts a built vorlith.exe under Wine in the tests' Wine session at 96 pixels per inch (the
# fixture's; tests/e2e/ctest/fixture.sh) and checks that it shows its main window and reads the
# colour under the pointer (vorlith_start_check.exe).
#
#   run_start_check.sh package CHECK_EXE ZIP BUILT_EXE
#       unpacks the release package ZIP, checks that it holds exactly vorlith.exe (the one just
#       built, BUILT_EXE), LICENSE and README.txt, and starts the unpacked vorlith.exe
#   run_start_check.sh exe CHECK_EXE EXE
#       starts EXE where it is (another compiler's build)
set -euo pipefail

mode=${1:?package or exe}
check=${2:?vorlith_start_check.exe}
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env.sh"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

[[ -f $check ]] || fail "$check does not exist; build the Windows program first (cmake --build --preset mingw)"
vorlith_use_prefix 96
session_file=$WINEPREFIX.session
[[ -f $session_file ]] || fail "no Wine session for $WINEPREFIX (the fixture wine.setup did not run or failed)"

work=$(mktemp -d)
log=$work/check.log
trap 'rm -rf "$work"' EXIT

case $mode in
package)
    zip=${3:?zip}
    built=${4:?built vorlith.exe}
    [[ -f $zip ]] || fail "$zip does not exist; make it with: cmake --build --preset mingw --target package"
    mkdir "$work/unpacked"
    (cd "$work/unpacked" && cmake -E tar xf "$zip")
    contents=$(cd "$work/unpacked" && find . -mindepth 1 | sed 's|^\./||' | sort | tr '\n' ' ')
    echo "$(basename "$zip") holds: $contents"
    [[ $contents == "LICENSE README.txt vorlith.exe " ]] ||
        fail "the package should hold exactly LICENSE, README.txt and vorlith.exe"
    cmp -s "$work/unpacked/vorlith.exe" "$built" ||
        fail "the packaged vorlith.exe is not $built: remake the package"
    for key in Ctrl+G Ctrl+F; do
        grep -q "$key" "$work/unpacked/README.txt" || fail "README.txt does not name $key"
    done
    exe=$work/unpacked/vorlith.exe
    ;;
exe)
    exe=${3:?vorlith.exe}
    [[ -f $exe ]] || fail "$exe does not exist; build it first (for the clang build:" \
        "cmake --preset clang-mingw && cmake --build --preset clang-mingw)"
    ;;
*) fail "unknown mode $mode" ;;
esac

# shellcheck disable=SC1090
source "$session_file"
export DISPLAY XAUTHORITY
# shellcheck disable=SC2034 # read by vorlith_wine
VORLITH_WINE_TIMEOUT=150
# Wine's drive Z: is the Linux root. The output goes through a file, so that a process that Wine
# starts in the background does not hold CTest's pipe open.
rc=0
vorlith_wine "$check" "Z:${exe//\//\\}" </dev/null >"$log" 2>&1 || rc=$?
tr -d '\r' <"$log"
((rc == 0)) || fail "the start check ended with exit code $rc"
