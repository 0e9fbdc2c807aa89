#!/usr/bin/env bash
# Runs one command on a desktop of two monitors, as xvfb-run does on one: Xorg with the dummy
# driver on a free display number, two monitors side by side, the primary on the right; the
# command runs with DISPLAY set, and the server ends with it (by its PID).
#
#   scripts/xorg-two-monitors.sh COMMAND [ARGS...]
#
# Two ways to make them, chosen by what the installed server offers:
#   randr      one dummy screen whose RandR outputs DUMMY0 and DUMMY1 are placed with xrandr,
#              DUMMY0 the primary right of DUMMY1. Wine (8 and 10 both) reads its monitors from
#              RandR and puts the primary at (0, 0), so the other one lies at negative x.
#   xinerama   two dummy screens side by side under Xinerama, for a dummy driver without
#              outputs. Wine 8 places them only with the prefix's UseXRandR=N and
#              PrimaryMonitor=1; Wine 10 ignores those and puts both monitors at the origin.
# The randr way is taken when the dummy driver lists the two outputs, else the xinerama one;
# VORLITH_TWO_MONITORS_RECIPE=randr or xinerama forces one. The command gets the way taken in
# VORLITH_TWO_MONITORS_RECIPE, for the Wine prefix's settings (vorlith_prefix_two_monitors).
#
# Xorg with a configuration file of its own runs as root only (CI and the test machines are).
# Each monitor is VORLITH_TWO_MONITORS_SIZE (1024x768 by default: one of the modes below). The
# exit code is the command's.
set -euo pipefail

size=${VORLITH_TWO_MONITORS_SIZE:-1024x768}
# The server's configuration, log and display number; removed on every exit, the server ended
# first (xorg_stop, below, is defined by the time anything can start one).
XORG_PID=
work=$(mktemp -d)
trap 'if [[ -n $XORG_PID ]]; then xorg_stop "$XORG_PID"; fi; rm -rf "$work"' EXIT

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

# What both configurations share: no input devices (Wine moves the pointer itself), and the
# monitor's timings for the size.
write_config_common() {
    local xinerama=$1
    cat <<EOF
Section "ServerFlags"
    Option "Xinerama" "$xinerama"
    Option "AutoAddDevices" "false"
    Option "AutoEnableDevices" "false"
    Option "DontVTSwitch" "true"
EndSection
Section "Monitor"
    Identifier "m"
    HorizSync 5.0-1000.0
    VertRefresh 5.0-200.0
    Modeline "$size" ${modelines[$size]}
EndSection
EOF
}

# One dummy screen large enough for both outputs side by side at any size offered; xrandr
# places them once the server runs.
write_config_randr() {
    write_config_common off
    cat <<EOF
Section "Device"
    Identifier "d0"
    Driver "dummy"
    VideoRam 64000
EndSection
Section "Screen"
    Identifier "s0"
    Device "d0"
    Monitor "m"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Modes "$size"
        Virtual 4096 2048
    EndSubSection
EndSection
Section "ServerLayout"
    Identifier "two-monitors"
    Screen 0 "s0" 0 0
EndSection
EOF
}

# Two dummy screens side by side under Xinerama: s1 right of s0.
write_config_xinerama() {
    local width=${size%x*} height=${size#*x}
    write_config_common on
    local s
    for s in 0 1; do
        cat <<EOF
Section "Device"
    Identifier "d$s"
    Driver "dummy"
    VideoRam 64000
EndSection
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

# Starts Xorg with the configuration in $work/xorg.conf and sets DISPLAY.
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

# Whether the running server's dummy driver has the two RandR outputs.
has_outputs() {
    local outputs
    outputs=$(xrandr --query | grep -oE '^DUMMY[01] ' || true)
    [[ $outputs == *DUMMY0* && $outputs == *DUMMY1* ]]
}

# DUMMY0 the primary, DUMMY1 left of it, both at the size; then a full query, which makes the
# server probe its outputs again: Wine 10 reads the current state without probing and saw one
# monitor without it.
place_outputs() {
    local width=${size%x*}
    local mode="vorlith-$size"
    # shellcheck disable=SC2086 # the modeline is words
    xrandr --newmode "$mode" ${modelines[$size]}
    xrandr --addmode DUMMY0 "$mode"
    xrandr --addmode DUMMY1 "$mode"
    xrandr --output DUMMY0 --mode "$mode" --pos "${width}x0" --primary \
        --output DUMMY1 --mode "$mode" --pos 0x0
    local query
    query=$(xrandr --query)
    local monitors
    monitors=$(grep -oE '^DUMMY[01] connected (primary )?[0-9]+x[0-9]+[+][0-9]+[+][0-9]+' \
        <<<"$query" || true)
    local want="DUMMY0 connected primary $size+$width+0
DUMMY1 connected $size+0+0"
    if [[ $monitors != "$want" ]]; then
        echo "xorg-two-monitors.sh: xrandr reports" >&2
        echo "${monitors:-no outputs}" >&2
        fail "expected: ${want//$'\n'/; }"
    fi
    echo "$monitors"
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
recipe=${VORLITH_TWO_MONITORS_RECIPE:-}
case $recipe in
'' | randr | xinerama) ;;
*) fail "VORLITH_TWO_MONITORS_RECIPE is randr or xinerama, not $recipe" ;;
esac
# Without xrandr the server's outputs cannot be seen, and guessing Xinerama would give Wine 10
# one place for both monitors.
if [[ $recipe != xinerama ]] && ! command -v xrandr >/dev/null; then
    fail "xrandr is missing: run scripts/deps.sh (x11-xserver-utils)"
fi
if [[ $recipe != xinerama ]]; then
    write_config_randr >"$work/xorg.conf"
    xorg_start
    if has_outputs; then
        recipe=randr
    elif [[ $recipe == randr ]]; then
        fail "the dummy driver has no RandR outputs DUMMY0 and DUMMY1"
    else
        echo "xorg-two-monitors.sh: the dummy driver has no RandR outputs; using Xinerama" >&2
        xorg_stop "$XORG_PID"
        XORG_PID=
        recipe=xinerama
    fi
fi
if [[ $recipe == randr ]]; then
    place_outputs >&2
else
    write_config_xinerama >"$work/xorg.conf"
    xorg_start
    check_xinerama >&2
fi
export VORLITH_TWO_MONITORS_RECIPE=$recipe
rc=0
"$@" || rc=$?
exit "$rc"
