#!/usr/bin/env bash
# The shared ground of the Wine tests: one prepared Wine prefix, one private Xvfb and one
# persistent wineserver for every suite, made by the CTest fixture's setup and ended by its
# cleanup. The state file tells the suites where the display is.
#
#   fixture.sh setup STATE_FILE [DPI]
#   fixture.sh cleanup STATE_FILE
#
# DPI (pixels per inch, 96 by default) other than 96 gets a prefix of its own beside the default
# one, build/wineprefix-dpiDPI, so that the suites at 96 keep theirs and both can run.
set -euo pipefail

mode=${1:?setup or cleanup}
state=${2:?state file}
dpi=${3:-96}
source "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/wine-env.sh"
if [[ $dpi != 96 && -z ${VORLITH_WINEPREFIX:-} ]]; then
    export WINEPREFIX=$VORLITH_ROOT/build/wineprefix-dpi$dpi
fi

cleanup() {
    if [[ -f $state ]]; then
        # shellcheck disable=SC1090
        source "$state"
        export WINEPREFIX=$VORLITH_STATE_WINEPREFIX
        vorlith_wineserver_kill
        vorlith_xvfb_stop "$VORLITH_STATE_XVFB_PID"
        vorlith_prefix_unlock "$VORLITH_STATE_LOCK_PID"
        rm -f "$state"
    fi
}

case $mode in
setup)
    # The prefix is held for as long as ctest (this script's parent) runs, until the cleanup.
    vorlith_prefix_lock "$PPID"
    # Holding the lock, whatever the state file names belongs to a run that was cut short.
    if [[ -f $state ]]; then
        # shellcheck disable=SC1090
        source "$state"
        vorlith_wineserver_kill
        vorlith_xvfb_stop "$VORLITH_STATE_XVFB_PID"
        rm -f "$state"
    fi
    vorlith_prefix_prepare "$dpi"
    vorlith_xvfb_start
    mkdir -p "$(dirname "$state")"
    {
        echo "VORLITH_STATE_DISPLAY='$DISPLAY'"
        echo "VORLITH_STATE_XVFB_PID='$VORLITH_XVFB_PID'"
        echo "VORLITH_STATE_WINEPREFIX='$WINEPREFIX'"
        echo "VORLITH_STATE_LOCK_PID='$VORLITH_LOCK_PID'"
    } >"$state"
    # One server for all the suites: every wine start after this one is quicker. Its output goes
    # nowhere, so that CTest does not wait for a pipe that the server would hold open.
    timeout 30 wineserver -p </dev/null >/dev/null 2>&1 || true
    echo "Xvfb on $DISPLAY (pid $VORLITH_XVFB_PID), Wine prefix $WINEPREFIX"
    ;;
cleanup)
    cleanup
    echo "Wine test display ended"
    ;;
*)
    echo "fixture.sh: unknown mode $mode" >&2
    exit 2
    ;;
esac
