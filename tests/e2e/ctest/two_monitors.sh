#!/usr/bin/env bash
# A desktop of two monitors for the Wine tests, the primary on the right and a second one left of
# it at negative x: Xorg with the dummy driver and two screens side by side under Xinerama, and a
# Wine prefix of its own (build/wineprefix-twomon) whose X11 driver takes its monitors from
# Xinerama and makes the right-hand head the primary at (0, 0). Made by the CTest fixture's setup
# and ended by its cleanup; the state file tells the suites where the display is, as fixture.sh's
# does.
#
#   two_monitors.sh setup STATE_FILE
#   two_monitors.sh cleanup STATE_FILE
#
# Xorg with a configuration file of our own runs as root only (CI and the test machines are).
# Each head is VORLITH_TWO_MONITORS_SIZE (1024x768 by default: one of the modes below).
set -euo pipefail

mode=${1:?setup or cleanup}
state=${2:?state file}
source "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/wine-env.sh"
export WINEPREFIX=${VORLITH_WINEPREFIX:-$VORLITH_ROOT/build/wineprefix}-twomon
size=${VORLITH_TWO_MONITORS_SIZE:-1024x768}
work=$(dirname "$state")/two-monitors

# VESA modelines for the sizes offered; the dummy driver accepts any of them within its limits.
declare -A modelines=(
    [800x600]='40.00 800 840 968 1056 600 601 605 628 +hsync +vsync'
    [1024x768]='65.00 1024 1048 1184 1344 768 771 777 806 -hsync -vsync'
    [1280x1024]='108.00 1280 1328 1440 1688 1024 1025 1028 1066 +hsync +vsync'
)

fail() {
    echo "two_monitors.sh: $*" >&2
    exit 1
}

# Ends the Xorg of an earlier run, by its PID, and only when that PID is still an Xorg.
xorg_stop() {
    local pid=$1
    if [[ -n $pid && $(ps -p "$pid" -o comm= 2>/dev/null) == Xorg ]]; then
        kill "$pid" 2>/dev/null || true
        local i
        for ((i = 0; i < 100; i++)); do
            kill -0 "$pid" 2>/dev/null || return 0
            sleep 0.05
        done
        kill -9 "$pid" 2>/dev/null || true
    fi
}

end_recorded_run() {
    # shellcheck disable=SC1090
    source "$state"
    export WINEPREFIX=$VORLITH_STATE_WINEPREFIX
    vorlith_wineserver_kill
    xorg_stop "$VORLITH_STATE_XORG_PID"
}

write_config() {
    local width=${size%x*} height=${size#*x}
    cat <<EOF
# Two dummy heads side by side under Xinerama: s1 right of s0. No input devices are needed:
# Wine moves the pointer itself.
Section "ServerFlags"
    Option "Xinerama" "on"
    Option "AutoAddDevices" "false"
    Option "AutoEnableDevices" "false"
    Option "DontVTSwitch" "true"
EndSection
Section "Device"
    Identifier "d0"
    Driver "dummy"
    VideoRam 64000
EndSection
Section "Device"
    Identifier "d1"
    Driver "dummy"
    VideoRam 64000
EndSection
Section "Monitor"
    Identifier "m"
    HorizSync 5.0-1000.0
    VertRefresh 5.0-200.0
    Modeline "$size" ${modelines[$size]}
EndSection
EOF
    local s
    for s in 0 1; do
        cat <<EOF
Section "Screen"
    Identifier "s$s"
    Device "d$s"
    Monitor "m"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Modes "$size"
        Virtual $width $height
    EndSubSection
EndSection
EOF
    done
    cat <<EOF
Section "ServerLayout"
    Identifier "two-monitors"
    Screen 0 "s0" 0 0
    Screen 1 "s1" RightOf "s0"
EndSection
EOF
}

# Starts Xorg on the first free display number (it reports it through -displayfd once it
# accepts connections). Sets DISPLAY and XORG_PID.
xorg_start() {
    local numfile="$work/display"
    rm -f "$numfile"
    Xorg -displayfd 3 -config "$work/xorg.conf" -logfile "$work/xorg.log" \
        -noreset -novtswitch -nolisten tcp \
        3>"$numfile" </dev/null >"$work/xorg.out" 2>&1 &
    XORG_PID=$!
    local i
    for ((i = 0; i < 600; i++)); do
        if [[ -s $numfile ]] && grep -q $'\n' "$numfile"; then
            break
        fi
        kill -0 "$XORG_PID" 2>/dev/null || break
        sleep 0.05
    done
    local num
    num=$(tr -dc '0-9' <"$numfile")
    if [[ -z $num ]]; then
        # The log's errors in order; those about the mouse and keyboard drivers come in every
        # run (no input devices are configured) and do not stop the server.
        echo "two_monitors.sh: Xorg did not start; its errors:" >&2
        grep -hF '(EE)' "$work/xorg.log" "$work/xorg.out" 2>/dev/null >&2 || true
        xorg_stop "$XORG_PID"
        fail "see $work/xorg.log"
    fi
    export DISPLAY=":$num"
}

# The heads that X reports must be the two of the layout: #0 at 0,0 and #1 right of it.
check_xinerama() {
    local width=${size%x*}
    local heads
    heads=$(xdpyinfo -ext XINERAMA | grep -E '^ *head #' | sed -E 's/^ *//')
    local want="head #0: $size @ 0,0
head #1: $size @ $width,0"
    if [[ $heads != "$want" ]]; then
        echo "two_monitors.sh: Xinerama reports" >&2
        echo "${heads:-no heads}" >&2
        fail "expected: ${want//$'\n'/; }"
    fi
    echo "$heads"
}

# The X11 driver's settings that give Wine the two monitors, the right-hand head its primary.
prepare_monitors() {
    local want="vorlith-two-monitors v1"
    local stamp="$WINEPREFIX/.vorlith-two-monitors"
    if [[ -f $stamp && $(<"$stamp") == "$want" ]]; then
        return 0
    fi
    local key='HKCU\Software\Wine\X11 Driver'
    # Monitors from Xinerama, not from XRandR (which sees one screen); without UseXVidMode=N
    # Wine 8's desktop process crashes and only one monitor shows.
    local value
    for value in UseXRandR=N UseXVidMode=N PrimaryMonitor=1; do
        timeout 60 "$VORLITH_WINE" reg add "$key" /v "${value%%=*}" /d "${value#*=}" /f >/dev/null
    done
    vorlith_wineserver_wait
    echo "$want" >"$stamp"
}

case $mode in
setup)
    if [[ -z ${modelines[$size]:-} ]]; then
        fail "no mode for VORLITH_TWO_MONITORS_SIZE=$size (one of: ${!modelines[*]})"
    fi
    if ! command -v Xorg >/dev/null || [[ ! -e /usr/lib/xorg/modules/drivers/dummy_drv.so ]]; then
        fail "Xorg or its dummy driver is missing: run scripts/deps.sh" \
            "(xserver-xorg-core, xserver-xorg-video-dummy)"
    fi
    if [[ $(id -u) -ne 0 ]]; then
        fail "Xorg with a configuration file of its own needs root"
    fi
    started=${EPOCHREALTIME/./}
    vorlith_prefix_lock "$PPID"
    if [[ -f $state ]]; then
        end_recorded_run
        rm -f "$state"
    fi
    mkdir -p "$work"
    write_config >"$work/xorg.conf"
    vorlith_prefix_prepare 96
    prepare_monitors
    xorg_start
    {
        echo "VORLITH_STATE_DISPLAY='$DISPLAY'"
        echo "VORLITH_STATE_XORG_PID='$XORG_PID'"
        echo "VORLITH_STATE_WINEPREFIX='$WINEPREFIX'"
        echo "VORLITH_STATE_LOCK_PID='$VORLITH_LOCK_PID'"
    } >"$state"
    check_xinerama
    timeout 30 wineserver -p </dev/null >/dev/null 2>&1 || true
    took=$(((${EPOCHREALTIME/./} - started) / 100000))
    echo "Xorg on $DISPLAY (pid $XORG_PID), two heads of $size; Wine prefix $WINEPREFIX;" \
        "ready in $((took / 10)).$((took % 10)) s"
    ;;
cleanup)
    if [[ -f $state ]]; then
        end_recorded_run
        vorlith_prefix_unlock "$VORLITH_STATE_LOCK_PID"
        rm -f "$state"
    fi
    echo "two-monitor display ended"
    ;;
*)
    fail "unknown mode $mode"
    ;;
esac
