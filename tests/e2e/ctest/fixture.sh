#!/usr/bin/env bash
# The ground that the Windows test programs run on, for one density or for the desktop of two
# monitors: a Wine session (the prefix held, a private X display, one persistent wineserver;
# scripts/wine-session.sh) that a CTest fixture's setup starts and its cleanup ends. The tests
# find it through the session file beside the prefix (wine_test.sh).
#
#   fixture.sh setup [SESSION]     starts it and returns once it is ready; SESSION is a density
#                                  (96 by default, 120, 144) or twomon (two monitors, Xorg)
#   fixture.sh cleanup [SESSION]   ends it
#
# A session that its cleanup never ends (ctest cut short) ends by itself once ctest has gone.
set -euo pipefail
self=$(realpath "${BASH_SOURCE[0]}")
root=$(cd "$(dirname "$self")/../../.." && pwd)
source "$root/scripts/wine-env.sh"

mode=${1:?setup or cleanup}
dpi=${2:-96}
vorlith_use_prefix "$dpi"
display=(--dpi "$dpi")
if [[ $dpi == twomon ]]; then
    display=(--two-monitors)
fi
session_file=$WINEPREFIX.session

case $mode in
setup)
    token="$$.$(date +%s%N)"
    log=$WINEPREFIX.session.log
    mkdir -p "$(dirname "$WINEPREFIX")"
    # In a session of its own, so that it outlives this script; its output goes to a file, so
    # that CTest does not wait for a pipe that it holds open.
    VORLITH_LOCK_WAIT=500 setsid "$root/scripts/wine-session.sh" "${display[@]}" -- \
        bash "$self" hold "$dpi" "$token" "$PPID" </dev/null >"$log" 2>&1 &
    session=$!
    until [[ -f $session_file ]] && grep -qx "VORLITH_SESSION_TOKEN=$token" "$session_file"; do
        if ! kill -0 "$session" 2>/dev/null; then
            cat "$log" >&2
            echo "fixture: the Wine session $dpi did not start" >&2
            exit 1
        fi
        sleep 0.2
    done
    # shellcheck disable=SC1090
    source "$session_file"
    echo "Wine session on $DISPLAY, prefix $WINEPREFIX"
    ;;
hold)
    # Inside the session: tell the tests where it is, and keep it until the cleanup ends this
    # process or ctest (the owner) has gone.
    token=$3 owner=$4
    trap 'rm -f "$session_file"' EXIT
    # One server for all the tests: every wine start after this one is quicker. Its output goes
    # nowhere, so that nothing waits for it.
    timeout 30 wineserver -p </dev/null >/dev/null 2>&1 || true
    printf '%s=%q\n' DISPLAY "$DISPLAY" XAUTHORITY "${XAUTHORITY:-}" VORLITH_SESSION_PID "$$" \
        VORLITH_SESSION_TOKEN "$token" >"$session_file.new"
    mv "$session_file.new" "$session_file"
    tail --pid="$owner" -f /dev/null &
    waiter=$!
    trap 'kill "$waiter" 2>/dev/null; exit 0' TERM
    wait "$waiter"
    ;;
cleanup)
    if [[ -f $session_file ]]; then
        # shellcheck disable=SC1090
        source "$session_file"
        kill "$VORLITH_SESSION_PID" 2>/dev/null || true
        # The session is over once it has let go of the prefix.
        flock -w 60 "$WINEPREFIX.lock" true
    fi
    echo "Wine session $dpi ended"
    ;;
*)
    echo "fixture.sh: unknown mode $mode" >&2
    exit 2
    ;;
esac
