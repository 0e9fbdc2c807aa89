#!/usr/bin/env bash
# Runs one command on a desktop of two monitors, as xvfb-run does on one: Xorg with the dummy
# driver and two screens side by side under Xinerama, the second right of the first, on a free
# display number; the command runs with DISPLAY set, and the server ends with it (by its PID).
# A Wine prefix made for it (vorlith_prefix_two_monitors) takes the right-hand head as its
# primary at (0, 0), so that the left-hand one lies at negative x.
#
#   scripts/xorg-two-monitors.sh COMMAND [ARGS...]
#
# Xorg with a configuration file of its own runs as root only (CI and the test machines are).
# Each head is VORLITH_TWO_MONITORS_SIZE (1024x768 by default: one of the modes below). The
# exit code is the command's.
set -euo pipefail

size=${VORLITH_TWO_MONITORS_SIZE:-1024x768}
work=$(mktemp -d)

# VESA modelines for the sizes offered; the dummy driver accepts any of them within its limits.
declare -A modelines=(
    [800x600]='40.00 800 840 968 1056 600 601 605 628 +hsync +vsync'
    [1024x768]='65.00 1024 1048 1184 1344 768 771 777 806 -hsync -vsync'
    [1280x1024]='108.00 1280 1328 1440 1688 1024 1025 1028 1066 +hsync +vsync'
)

fail() {
    echo "xorg-two-monitors.sh: $*" >&2
    exit 1
}

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
        echo "xorg-two-monitors.sh: Xorg did not start; its errors:" >&2
        grep -hF '(EE)' "$work/xorg.log" "$work/xorg.out" 2>/dev/null >&2 || true
        xorg_stop "$XORG_PID"
        fail "Xorg did not start"
    fi
    export DISPLAY=":$num"
}

check_xinerama() {
    local width=${size%x*}
    local heads
    heads=$(xdpyinfo -ext XINERAMA | grep -E '^ *head #' | sed -E 's/^ *//')
    local want="head #0: $size @ 0,0
head #1: $size @ $width,0"
    if [[ $heads != "$want" ]]; then
        echo "xorg-two-monitors.sh: Xinerama reports" >&2
        echo "${heads:-no heads}" >&2
        fail "expected: ${want//$'\n'/; }"
    fi
    echo "$heads"
}

if (($# == 0)); then
    fail "usage: xorg-two-monitors.sh COMMAND [ARGS...]"
fi
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
XORG_PID=
trap 'xorg_stop "$XORG_PID"; rm -rf "$work"' EXIT
write_config >"$work/xorg.conf"
xorg_start
check_xinerama >&2
rc=0
"$@" || rc=$?
exit "$rc"
