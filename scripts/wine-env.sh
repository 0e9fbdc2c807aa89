# Sourced by the scripts that run the Windows program: a private Wine prefix and a private X
# display, so that nothing of the user's own Wine set-up or desktop is touched.
#
#   source scripts/wine-env.sh
#   vorlith_prefix_lock            # wait until no other run uses the prefix, then hold it
#   vorlith_prefix_prepare [dpi]   # make or reuse the prefix (default 96 pixels per inch)
#   vorlith_xvfb_start             # sets DISPLAY and VORLITH_XVFB_PID
#   vorlith_wine prog.exe args...  # wine under a timeout (VORLITH_WINE_TIMEOUT seconds)
#   vorlith_xvfb_stop              # ends the Xvfb started above, by its PID
#   vorlith_prefix_unlock          # lets the next run have the prefix
#   vorlith_private_session        # all of it at once: lock, prefix, Xvfb, undone on exit
#
# VORLITH_WINEPREFIX chooses another prefix; the user's own WINEPREFIX is never used, since the
# prefix gets settings (unmanaged windows, no crash dialog) that suit tests and not a desktop.

VORLITH_ROOT=${VORLITH_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${VORLITH_WINEPREFIX:-$VORLITH_ROOT/build/wineprefix}
export WINEARCH=win64
# No Mono and no Gecko: the prefix is made in seconds and nothing asks to download them.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=-all
VORLITH_WINE=${VORLITH_WINE:-wine}
VORLITH_WINE_TIMEOUT=${VORLITH_WINE_TIMEOUT:-120}

vorlith_wine() {
    timeout -k 5 "$VORLITH_WINE_TIMEOUT" "$VORLITH_WINE" "$@"
}

# Waits for every process of the prefix to end (and the server with them), at most 60 s.
vorlith_wineserver_wait() {
    timeout -k 5 60 wineserver -w
}

# Ends every process of the prefix.
vorlith_wineserver_kill() {
    timeout -k 5 30 wineserver -k 2>/dev/null || true
}

# Makes the prefix once and reuses it afterwards; a stamp file records what it was made for.
# Safe to call from several processes at once: the first makes it, the others wait.
vorlith_prefix_prepare() {
    local dpi=${1:-96}
    local want="vorlith-prefix v3 dpi=$dpi"
    local stamp="$WINEPREFIX/.vorlith-prefix"
    mkdir -p "$WINEPREFIX"
    (
        flock -w 300 9 || { echo "wine-env: prefix $WINEPREFIX is locked" >&2; exit 1; }
        if [[ -f $stamp && $(<"$stamp") == "$want" ]]; then
            exit 0
        fi
        if [[ ! -f $WINEPREFIX/system.reg ]]; then
            echo "wine-env: making the Wine prefix $WINEPREFIX" >&2
            timeout -k 5 300 "$VORLITH_WINE" wineboot -i </dev/null >/dev/null 2>&1 || {
                echo "wine-env: wineboot failed" >&2
                exit 1
            }
        fi
        # Wine ships its fonts (Tahoma, MS Sans Serif, Marlett for the caption buttons and the
        # check marks) but a fresh prefix does not find them: the close box would show a "r".
        if [[ -d /usr/share/wine/fonts ]]; then
            mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
            ln -sf /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
        fi
        local reg=("$VORLITH_WINE" reg add)
        # No window manager runs on Xvfb: Wine draws the frames itself, and hiding or closing a
        # framed window does not stall for about 2 s waiting for one.
        timeout 60 "${reg[@]}" 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
        # A crash ends the process instead of opening a dialog that nobody closes.
        timeout 60 "${reg[@]}" 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog \
            /t REG_DWORD /d 0 /f >/dev/null
        timeout 60 "${reg[@]}" 'HKCU\Control Panel\Desktop' /v LogPixels \
            /t REG_DWORD /d "$dpi" /f >/dev/null
        # The registry is written to disk when the server ends.
        vorlith_wineserver_wait
        echo "$want" >"$stamp"
    ) 9>"$WINEPREFIX.lock"
}

# One user of the prefix at a time: the tests, run.sh and screenshot.sh each end the prefix's
# processes when they finish, and two of them on one wineserver would share one pointer and one
# foreground window. The lock is held by a small background process that lives as long as the
# owner process (default: this shell), so a run that was cut short frees it by itself. Waits up
# to 15 minutes for another user. Sets VORLITH_LOCK_PID.
vorlith_prefix_lock() {
    local owner=${1:-$$}
    local ready
    ready=$(mktemp -u)
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        exec 9>"$WINEPREFIX.session.lock"
        flock -w 900 9 || exit 1
        : >"$ready"
        while kill -0 "$owner" 2>/dev/null; do
            sleep 1 9>&-
        done
    ) </dev/null >/dev/null 2>&1 &
    VORLITH_LOCK_PID=$!
    local waited=0
    until [[ -e $ready ]]; do
        if ! kill -0 "$VORLITH_LOCK_PID" 2>/dev/null; then
            echo "wine-env: the prefix $WINEPREFIX is still in use after 15 minutes" >&2
            unset VORLITH_LOCK_PID
            return 1
        fi
        if ((waited == 20)); then
            echo "wine-env: waiting for another run that uses $WINEPREFIX" >&2
        fi
        sleep 0.1
        waited=$((waited + 1))
    done
    rm -f "$ready"
    export VORLITH_LOCK_PID
}

# Frees the lock that vorlith_prefix_lock took (or the holder whose PID is given).
vorlith_prefix_unlock() {
    local pid=${1:-${VORLITH_LOCK_PID:-}}
    if [[ -n $pid ]]; then
        kill "$pid" 2>/dev/null || true
    fi
    if [[ -z ${1:-} ]]; then
        unset VORLITH_LOCK_PID
    fi
}

# Starts a private Xvfb on the first free display number (Xvfb picks it and reports it through
# -displayfd once it accepts connections). Sets DISPLAY and VORLITH_XVFB_PID.
vorlith_xvfb_start() {
    local screen=${VORLITH_SCREEN:-1280x1024x24}
    local numfile
    numfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset \
        3>"$numfile" </dev/null >/dev/null 2>&1 &
    VORLITH_XVFB_PID=$!
    local i
    for ((i = 0; i < 200; i++)); do
        if [[ -s $numfile ]] && grep -q $'\n' "$numfile"; then
            break
        fi
        if ! kill -0 "$VORLITH_XVFB_PID" 2>/dev/null; then
            break
        fi
        sleep 0.05
    done
    local num
    num=$(tr -dc '0-9' <"$numfile")
    rm -f "$numfile"
    if [[ -z $num ]]; then
        echo "wine-env: Xvfb did not start" >&2
        kill "$VORLITH_XVFB_PID" 2>/dev/null || true
        unset VORLITH_XVFB_PID
        return 1
    fi
    export DISPLAY=":$num"
    export VORLITH_XVFB_PID
}

# Ends the Xvfb that vorlith_xvfb_start started (or the one whose PID is given).
vorlith_xvfb_stop() {
    local pid=${1:-${VORLITH_XVFB_PID:-}}
    # A PID from an earlier run may since have gone to another program: only an Xvfb is ended.
    if [[ -n $pid && $(ps -p "$pid" -o comm= 2>/dev/null) == Xvfb ]]; then
        kill "$pid" 2>/dev/null || true
        local i
        for ((i = 0; i < 100; i++)); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.05
        done
        if kill -0 "$pid" 2>/dev/null; then
            kill -9 "$pid" 2>/dev/null || true
        fi
    fi
    if [[ -z ${1:-} ]]; then
        unset VORLITH_XVFB_PID
    fi
}

# Holds the prefix, makes it ready and starts a private Xvfb; when the calling script exits,
# the prefix's processes end, the Xvfb stops and the prefix is let go.
vorlith_private_session() {
    vorlith_prefix_lock
    vorlith_prefix_prepare
    vorlith_xvfb_start
    trap 'vorlith_wineserver_kill; vorlith_xvfb_stop; vorlith_prefix_unlock' EXIT
}
