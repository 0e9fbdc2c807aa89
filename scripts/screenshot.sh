#!/usr/bin/env bash
# Makes docs/screenshot-main.png (or the file given): the real main window on a private Xvfb,
# reading a colourful target with the grid shown, cropped to the window.
# Needs the Windows build: cmake --preset mingw && cmake --build --preset mingw
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${1:-$root/docs/screenshot-main.png}
driver=$root/build/mingw/vorlith_e2e.exe
for exe in "$driver" "$root/build/mingw/vorlith.exe"; do
    if [[ ! -f $exe ]]; then
        echo "screenshot.sh: $exe is missing; build the mingw preset first" >&2
        exit 1
    fi
done

source "$root/scripts/wine-env.sh"
vorlith_prefix_lock
trap vorlith_prefix_unlock EXIT
vorlith_prefix_prepare
vorlith_xvfb_start
work=$(mktemp -d)
driver_pid=
finish() {
    rm -f "$work/ready"
    if [[ -n $driver_pid ]]; then
        wait "$driver_pid" 2>/dev/null || true
    fi
    vorlith_wineserver_kill
    vorlith_xvfb_stop
    vorlith_prefix_unlock
    rm -rf "$work"
}
trap finish EXIT

vorlith_wine "$driver" "--stage-screenshot=Z:$work/ready" </dev/null >"$work/driver.log" 2>&1 &
driver_pid=$!
for ((i = 0; i < 600; i++)); do
    [[ -s $work/ready ]] && break
    if ! kill -0 "$driver_pid" 2>/dev/null; then
        cat "$work/driver.log" >&2
        echo "screenshot.sh: the driver ended before the scene was ready" >&2
        exit 1
    fi
    sleep 0.1
done
if [[ ! -s $work/ready ]]; then
    echo "screenshot.sh: the scene was not ready within 60 s" >&2
    exit 1
fi

geometry=$(<"$work/ready")
import -window root "$work/screen.png"
mkdir -p "$(dirname "$out")"
convert "$work/screen.png" -crop "$geometry" +repage "$out"
echo "screenshot.sh: wrote $out ($geometry)"
