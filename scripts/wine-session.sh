#!/usr/bin/env bash
# Runs one command in a Wine session of its own: the prefix held for as long as the command runs
# (flock: one session per prefix, the next one waits), made ready, on a private X display
# (xvfb-run -a picks a free one); when the command ends, every process of the prefix is ended
# before the display goes. The exit code is the command's.
#
#   scripts/wine-session.sh [--dpi N] [--desktop | --headless | --two-monitors] [--] COMMAND...
#
#   --dpi N          the prefix for N pixels per inch (build/wineprefix-dpiN; 96: build/wineprefix)
#   --desktop        on $DISPLAY instead, in a prefix whose windows the desktop's window manager
#                    frames
#   --headless       with no display at all (for a program that opens no window)
#   --two-monitors   on a private Xorg of two screens, the primary on the right and the other at
#                    negative x (scripts/xorg-two-monitors.sh; needs root), in build/wineprefix-twomon
#
# The command runs with WINEPREFIX, DISPLAY and XAUTHORITY set, and VORLITH_SESSION=1.
# VORLITH_WINEPREFIX names another prefix; VORLITH_LOCK_WAIT bounds the wait for it (seconds,
# default 900).
set -euo pipefail
self=$(realpath "${BASH_SOURCE[0]}")
source "$(dirname "$self")/wine-env.sh"

case ${1:-} in
--locked)
    # Holding the prefix: whatever a session that was cut short left running in it goes.
    dpi=$2 display=$3
    shift 3
    managed=N
    if [[ $display == desktop ]]; then
        managed=Y
    fi
    if [[ $display == two-monitors ]]; then
        vorlith_use_prefix twomon
        vorlith_prefix_prepare 96 N
    else
        vorlith_use_prefix "$dpi"
        vorlith_prefix_prepare "$dpi" "$managed"
    fi
    vorlith_wineserver_kill
    export VORLITH_SESSION=1
    case $display in
    private) exec xvfb-run -a -s "-screen 0 $VORLITH_SCREEN -noreset" "$self" --run "$@" ;;
    none) exec env -u DISPLAY -u XAUTHORITY "$self" --run "$@" ;;
    desktop) exec "$self" --run "$@" ;;
    two-monitors) exec "$(dirname "$self")/xorg-two-monitors.sh" "$self" --on-two-monitors "$@" ;;
    esac
    ;;
--on-two-monitors)
    # On the server of two monitors: the prefix's settings follow the way the server made them,
    # which is known only now.
    shift
    vorlith_prefix_two_monitors "$VORLITH_TWO_MONITORS_RECIPE"
    exec "$self" --run "$@"
    ;;
--run)
    shift
    trap vorlith_wineserver_kill EXIT
    "$@"
    exit
    ;;
esac

dpi=96 display=private
while (($#)); do
    case $1 in
    --dpi) dpi=$2 && shift 2 ;;
    --desktop) display=desktop && shift ;;
    --headless) display=none && shift ;;
    --two-monitors) display=two-monitors dpi=twomon && shift ;;
    --) shift && break ;;
    *) break ;;
    esac
done
if (($# == 0)); then
    echo "usage: wine-session.sh [--dpi N] [--desktop | --headless | --two-monitors] [--]" \
        "COMMAND [ARGS...]" >&2
    exit 2
fi
if [[ $display == desktop && -z ${DISPLAY:-} ]]; then
    echo "wine-session: --desktop needs a DISPLAY" >&2
    exit 2
fi
vorlith_use_prefix "$dpi"
lock=$WINEPREFIX.lock
mkdir -p "$(dirname "$lock")"
if [[ $display != none ]] && ! flock -n "$lock" true; then
    echo "wine-session: waiting for another run that uses $WINEPREFIX" >&2
fi
# -o: the lock stays with flock itself, not with the processes the command leaves behind.
wait=${VORLITH_LOCK_WAIT:-900}
rc=0
flock -o -w "$wait" -E 75 "$lock" "$self" --locked "$dpi" "$display" "$@" || rc=$?
if ((rc == 75)); then
    echo "wine-session: $WINEPREFIX is still in use after $wait s" >&2
fi
exit "$rc"
