#!/usr/bin/env bash
# Builds the program alone and runs it under Wine:
#   - with a $DISPLAY, on that display until you close it (in a Wine prefix of its own,
#     build/wineprefix-desktop, whose windows your window manager frames);
#   - without one, on a private Xvfb: after SECONDS (default 5) it saves a screenshot of the
#     window to build/vorlith-screenshot.png and ends.
#
#   scripts/run.sh [SECONDS]
set -euo pipefail
self=$(realpath "${BASH_SOURCE[0]}")
root=$(cd "$(dirname "$self")/.." && pwd)
exe=$root/build/mingw/vorlith.exe
shot=$root/build/vorlith-screenshot.png

if [[ ${1:-} == --screenshot ]]; then
    # Inside the private session started below.
    seconds=$2
    wine "$exe" </dev/null >/dev/null 2>&1 &
    program=$!
    window=
    for ((i = 0; i < 600; i++)); do
        window=$(xwininfo -name 'Vorlith v2.0' 2>/dev/null |
            sed -n 's/^xwininfo: Window id: \(0x[0-9a-f]*\).*/\1/p' || true)
        [[ -n $window ]] && break
        if ! kill -0 "$program" 2>/dev/null; then
            echo "run.sh: vorlith.exe ended before showing its window" >&2
            exit 1
        fi
        sleep 0.1
    done
    if [[ -z $window ]]; then
        echo "run.sh: no window \"Vorlith v2.0\" within 60 s" >&2
        exit 1
    fi
    echo "run.sh: Vorlith is running on a private Xvfb; a screenshot in $seconds s"
    sleep "$seconds"
    import -window "$window" "$shot"
    echo "run.sh: screenshot saved to build/vorlith-screenshot.png"
    exit 0
fi

seconds=${1:-5}
if [[ ! $seconds =~ ^[0-9]+$ ]]; then
    echo "usage: scripts/run.sh [SECONDS]" >&2
    exit 2
fi
"$root/scripts/deps.sh"
cd "$root"
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j"$(nproc)" --target vorlith

if [[ -n ${DISPLAY:-} ]]; then
    echo "run.sh: Vorlith runs on $DISPLAY until you close it"
    export VORLITH_WINEPREFIX=$root/build/wineprefix-desktop
    exec "$root/scripts/wine-session.sh" --desktop -- wine "$exe"
fi
exec "$root/scripts/wine-session.sh" -- "$self" --screenshot "$seconds"
