#!/usr/bin/env bash
# Builds Vorlith and starts it under Wine: on $DISPLAY when there is one, else on a private Xvfb.
# After a few seconds it saves a screenshot of the window to build/vorlith-screenshot.png and
# ends the program.
#
#   scripts/run.sh [SECONDS]     (default 5)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-5}
cd "$root"

"$root/scripts/deps.sh"
cmake --preset mingw
cmake --build --preset mingw -j"$(nproc)"

source "$root/scripts/wine-env.sh"
vorlith_prefix_lock
trap vorlith_prefix_unlock EXIT
vorlith_prefix_prepare
private_display=0
if [[ -z ${DISPLAY:-} ]]; then
    vorlith_xvfb_start
    private_display=1
    echo "run.sh: no DISPLAY; using a private Xvfb on $DISPLAY"
fi

program_pid=
finish() {
    if [[ -n $program_pid ]] && kill -0 "$program_pid" 2>/dev/null; then
        kill "$program_pid" 2>/dev/null || true
    fi
    vorlith_wineserver_kill
    if ((private_display)); then
        vorlith_xvfb_stop
    fi
    vorlith_prefix_unlock
}
trap finish EXIT

VORLITH_WINE_TIMEOUT=$((seconds + 60)) vorlith_wine "$root/build/mingw/vorlith.exe" </dev/null &
program_pid=$!

# The main window, by its caption, once Wine has mapped it.
window=
for ((i = 0; i < 300; i++)); do
    window=$(xwininfo -name 'Vorlith v2.0' 2>/dev/null | sed -n 's/^xwininfo: Window id: \(0x[0-9a-f]*\).*/\1/p' || true)
    [[ -n $window ]] && break
    if ! kill -0 "$program_pid" 2>/dev/null; then
        echo "run.sh: vorlith.exe ended before showing its window" >&2
        exit 1
    fi
    sleep 0.1
done
if [[ -z $window ]]; then
    echo "run.sh: no window \"Vorlith v2.0\" within 30 s" >&2
    exit 1
fi
echo "run.sh: Vorlith is running (window $window); ending it in $seconds s"
sleep "$seconds"
import -window "$window" "$root/build/vorlith-screenshot.png"
echo "run.sh: screenshot saved to build/vorlith-screenshot.png"
