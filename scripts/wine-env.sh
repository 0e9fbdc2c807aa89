# shellcheck shell=bash
# Sourced by the scripts that run the Windows program: the Wine prefix of this checkout and how
# it is made. Nothing of the user's own Wine set-up is used, since the test prefixes get settings
# (unmanaged windows, no crash dialog) that suit tests and not a desktop.
#
#   source scripts/wine-env.sh
#   vorlith_use_prefix [DPI|twomon]          # WINEPREFIX: build/wineprefix, or -dpiN, -twomon
#   vorlith_prefix_prepare [DPI] [MANAGED]   # make or reuse it (96 pixels per inch, unmanaged)
#   vorlith_prefix_two_monitors RECIPE       # its monitors as xorg-two-monitors.sh made them
#   vorlith_wine PROGRAM.exe ARGS...         # wine under a timeout (VORLITH_WINE_TIMEOUT seconds)
#   vorlith_wineserver_kill                  # end every process of the prefix
#
# One user of a prefix at a time: scripts/wine-session.sh holds it while a command runs, and
# vorlith_prefix_prepare expects to be called there.
#
# VORLITH_WINEPREFIX chooses another prefix.

VORLITH_ROOT=${VORLITH_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEARCH=win64
# No Mono and no Gecko: the prefix is made in seconds and nothing asks to download them.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=-all
VORLITH_WINE=${VORLITH_WINE:-wine}
VORLITH_WINE_TIMEOUT=${VORLITH_WINE_TIMEOUT:-120}
# The private X display's screen, for xvfb-run.
VORLITH_SCREEN=${VORLITH_SCREEN:-1280x1024x24}

# The prefix for a density: each density other than 96 has a prefix of its own, so that the
# registry's LogPixels of one never leaks into another; so has the desktop of two monitors
# ("twomon", at 96). Scripts started from here keep it.
vorlith_use_prefix() {
    local dpi=${1:-96}
    export VORLITH_PREFIX_DPI=$dpi
    if [[ -n ${VORLITH_WINEPREFIX:-} ]]; then
        export WINEPREFIX=$VORLITH_WINEPREFIX
    elif [[ $dpi == 96 ]]; then
        export WINEPREFIX=$VORLITH_ROOT/build/wineprefix
    elif [[ $dpi == twomon ]]; then
        export WINEPREFIX=$VORLITH_ROOT/build/wineprefix-twomon
    else
        export WINEPREFIX=$VORLITH_ROOT/build/wineprefix-dpi$dpi
    fi
}
vorlith_use_prefix "${VORLITH_PREFIX_DPI:-96}"

vorlith_wine() {
    timeout -k 5 "$VORLITH_WINE_TIMEOUT" "$VORLITH_WINE" "$@"
}

# Ends every process of the prefix.
vorlith_wineserver_kill() {
    timeout -k 5 30 wineserver -k 2>/dev/null || true
}

# Makes the prefix once and reuses it afterwards; a stamp file records what it was made for.
# MANAGED is N for the tests (Wine draws the frames: no window manager runs on Xvfb) and Y for
# a desktop whose window manager frames the windows.
vorlith_prefix_prepare() {
    local dpi=${1:-96} managed=${2:-N}
    local want="vorlith-prefix v4 dpi=$dpi managed=$managed"
    local stamp="$WINEPREFIX/.vorlith-prefix"
    mkdir -p "$WINEPREFIX"
    if [[ -f $stamp && $(<"$stamp") == "$want" ]]; then
        return 0
    fi
    if [[ ! -f $WINEPREFIX/system.reg ]]; then
        echo "wine-env: making the Wine prefix $WINEPREFIX" >&2
        timeout -k 5 300 "$VORLITH_WINE" wineboot -i </dev/null >/dev/null 2>&1 || {
            echo "wine-env: wineboot failed" >&2
            return 1
        }
    fi
    # Wine ships its fonts (Tahoma, MS Sans Serif, Marlett for the caption buttons and the
    # check marks) but a fresh prefix does not find them: the close box would show a "r".
    if [[ -d /usr/share/wine/fonts ]]; then
        mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
        ln -sf /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    fi
    local reg=(timeout 60 "$VORLITH_WINE" reg add)
    # Without a window manager, hiding or closing a framed window would stall for about 2 s
    # waiting for one.
    "${reg[@]}" 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$managed" /f >/dev/null
    # A crash ends the process instead of opening a dialog that nobody closes.
    "${reg[@]}" 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null
    "${reg[@]}" 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
    # The registry is written to disk when the server ends.
    timeout -k 5 60 wineserver -w
    echo "$want" >"$stamp"
}

# The X11 driver's settings for the desktop of two monitors (scripts/xorg-two-monitors.sh), as
# the way it was made asks (RECIPE: randr or xinerama, VORLITH_TWO_MONITORS_RECIPE there).
#   randr      Wine's defaults: monitors from XRandR, the primary output as the primary monitor.
#   xinerama   monitors from Xinerama, not from XRandR (which sees one screen), the right-hand
#              head the primary at (0, 0); without UseXVidMode=N Wine 8's desktop process crashed
#              and only one monitor showed.
vorlith_prefix_two_monitors() {
    local recipe=${1:?randr or xinerama}
    local want="vorlith-two-monitors v2 $recipe"
    local stamp="$WINEPREFIX/.vorlith-two-monitors"
    if [[ -f $stamp && $(<"$stamp") == "$want" ]]; then
        return 0
    fi
    local key='HKCU\Software\Wine\X11 Driver' value
    case $recipe in
    randr)
        # A prefix that was set up for the other way keeps its values until they are deleted;
        # deleting one that is not there fails, which is what a fresh prefix wants anyway.
        for value in UseXRandR UseXVidMode PrimaryMonitor; do
            timeout 60 "$VORLITH_WINE" reg delete "$key" /v "$value" /f >/dev/null 2>&1 || true
        done
        ;;
    xinerama)
        for value in UseXRandR=N UseXVidMode=N PrimaryMonitor=1; do
            timeout 60 "$VORLITH_WINE" reg add "$key" /v "${value%%=*}" /d "${value#*=}" /f \
                >/dev/null
        done
        ;;
    *)
        echo "wine-env: no two-monitor settings for $recipe" >&2
        return 1
        ;;
    esac
    timeout -k 5 60 wineserver -w
    echo "$want" >"$stamp"
}
