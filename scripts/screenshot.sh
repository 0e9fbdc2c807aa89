#!/usr/bin/env bash
# Makes the README's pictures of the real program on a private Xvfb:
#
#   scripts/screenshot.sh              both pictures below, in docs/
#   scripts/screenshot.sh main [OUT]   docs/screenshot-main.png: the main window reading a
#                                      colourful target with the grid shown, cropped to the window
#   scripts/screenshot.sh about [OUT]  docs/screenshot-about.png: the same with the About window
#                                      open over it, cropped to both windows
#
# Needs the Windows build: cmake --preset mingw && cmake --build --preset mingw
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
case ${1:-both} in
both) scenes=(main about) outs=("$root/docs/screenshot-main.png" "$root/docs/screenshot-about.png") ;;
main | about) scenes=("$1") outs=("${2:-$root/docs/screenshot-$1.png}") ;;
*)
    echo "usage: screenshot.sh [main|about [OUT]]" >&2
    exit 2
    ;;
esac
driver=$root/build/mingw/vorlith_e2e.exe
for exe in "$driver" "$root/build/mingw/vorlith.exe"; do
    if [[ ! -f $exe ]]; then
        echo "screenshot.sh: $exe is missing; build the mingw preset first" >&2
        exit 1
    fi
done

# The rest runs in a Wine session: the prefix held, on a private Xvfb.
if [[ -z ${VORLITH_SESSION:-} ]]; then
    exec "$root/scripts/wine-session.sh" -- "$(realpath "${BASH_SOURCE[0]}")" "$@"
fi
work=$(mktemp -d)
driver_pid=
finish() {
    rm -f "$work/ready"
    if [[ -n $driver_pid ]]; then
        wait "$driver_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap finish EXIT

# Stages one scene, pictures it once the driver says where, and lets the driver end.
picture() {
    local scene=$1 out=$2
    rm -f "$work/ready"
    timeout -k 5 120 wine "$driver" "--stage-screenshot=Z:$work/ready" "--scene=$scene" </dev/null \
        >"$work/driver.log" 2>&1 &
    driver_pid=$!
    local i
    for ((i = 0; i < 600; i++)); do
        [[ -s $work/ready ]] && break
        if ! kill -0 "$driver_pid" 2>/dev/null; then
            cat "$work/driver.log" >&2
            echo "screenshot.sh: the driver ended before the $scene scene was ready" >&2
            exit 1
        fi
        sleep 0.1
    done
    if [[ ! -s $work/ready ]]; then
        echo "screenshot.sh: the $scene scene was not ready within 60 s" >&2
        exit 1
    fi

    local geometry
    geometry=$(<"$work/ready")
    import -window root "$work/screen.png"
    mkdir -p "$(dirname "$out")"
    convert "$work/screen.png" -crop "$geometry" +repage "$out"
    echo "screenshot.sh: wrote $out ($geometry)"
    rm -f "$work/ready"
    wait "$driver_pid" 2>/dev/null || true
    driver_pid=
}

for ((n = 0; n < ${#scenes[@]}; n++)); do
    picture "${scenes[n]}" "${outs[n]}"
done
