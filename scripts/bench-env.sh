# Sourced by scripts/bench.sh and scripts/soak.sh: a private X display and a private Wine prefix
# for the benchmark and the soak, apart from the user's own Wine and from the test prefix.
#
#   source scripts/bench-env.sh
#   bench_prefix_prepare   # make (once) or reuse $WINEPREFIX
#   bench_xvfb_start       # a private Xvfb; sets DISPLAY and BENCH_XVFB_PID
#   bench_xvfb_stop        # ends that Xvfb by its PID and the prefix's Wine processes
#
# BENCH_WINEPREFIX chooses another prefix (default build/bench-wineprefix).

BENCH_ROOT=${BENCH_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${BENCH_WINEPREFIX:-$BENCH_ROOT/build/bench-wineprefix}
export WINEARCH=win64
# No Mono and no Gecko: nothing asks to download them.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=-all

bench_prefix_prepare() {
    local want="vorlith-bench-prefix v1"
    local stamp="$WINEPREFIX/.vorlith-bench-prefix"
    mkdir -p "$WINEPREFIX"
    (
        flock -w 300 9 || { echo "bench-env: prefix $WINEPREFIX is locked" >&2; exit 1; }
        if [[ -f $stamp && $(<"$stamp") == "$want" ]]; then
            exit 0
        fi
        echo "bench-env: making the Wine prefix $WINEPREFIX" >&2
        timeout -k 5 300 wine wineboot -i </dev/null >/dev/null 2>&1 || {
            echo "bench-env: wineboot failed" >&2
            exit 1
        }
        # A fresh prefix lacks the faces the controls ask for (Tahoma, MS Sans Serif, Marlett
        # for the check marks): Wine ships them, but does not put them in the prefix.
        ln -sf /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
        # No window manager runs on Xvfb: Wine draws the frames itself, and hiding or closing
        # a framed window does not stall for about 2 s.
        timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
        # A crash ends the process instead of opening a dialog that nobody closes.
        timeout 60 wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog \
            /t REG_DWORD /d 0 /f >/dev/null
        # The registry is written to disk when the server ends.
        timeout -k 5 60 wineserver -w
        echo "$want" >"$stamp"
    ) 9>"$WINEPREFIX.lock"
}

bench_xvfb_start() {
    local numfile
    numfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
        3>"$numfile" </dev/null >/dev/null 2>&1 &
    BENCH_XVFB_PID=$!
    local i
    for ((i = 0; i < 200; i++)); do
        if grep -q $'\n' "$numfile" 2>/dev/null || ! kill -0 "$BENCH_XVFB_PID" 2>/dev/null; then
            break
        fi
        sleep 0.05
    done
    local num
    num=$(tr -dc '0-9' <"$numfile")
    rm -f "$numfile"
    if [[ -z $num ]]; then
        echo "bench-env: Xvfb did not start" >&2
        kill "$BENCH_XVFB_PID" 2>/dev/null || true
        return 1
    fi
    export DISPLAY=":$num"
    export BENCH_XVFB_PID
}

bench_xvfb_stop() {
    timeout -k 5 30 wineserver -k 2>/dev/null || true
    if [[ -n ${BENCH_XVFB_PID:-} ]]; then
        kill "$BENCH_XVFB_PID" 2>/dev/null || true
        wait "$BENCH_XVFB_PID" 2>/dev/null || true
        unset BENCH_XVFB_PID
    fi
}
