#!/usr/bin/env bash
# Soak of the Windows program under Wine on a private X display: the real vorlith.exe runs for
# SOAK_MINUTES (default 10) with "Show Grid" ticked and the pointer moving between target
# windows; every minute its GDI/USER objects, handles and memory are printed as far as Wine
# reports them, with the program's own DCs and GDI objects counted in the driver's process
# (bench/soak.cpp). Fails when any figure grows after the first minute.
#
#   scripts/soak.sh            SOAK_MINUTES=3 scripts/soak.sh
#
# Takes SOAK_MINUTES and about a minute more; exit code 0 when nothing grew.
#
# Builds with the mingw preset (build/mingw); BENCH_BUILD_DIR=dir builds there instead.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
minutes=${SOAK_MINUTES:-10}

build=${BENCH_BUILD_DIR:-build/mingw}
if [[ -z ${BENCH_BUILD_DIR:-} ]]; then
    cmake --preset mingw >/dev/null
else
    cmake --preset mingw -B "$build" -DVORLITH_WINDOWS_TESTS=OFF >/dev/null
fi
cmake --build "$build" -j2 --target vorlith vorlith_soak >/dev/null

# A prefix of its own, apart from the tests' one, so that a benchmark and a test run never
# wait for each other; the program runs in a Wine session on a private Xvfb.
export VORLITH_WINEPREFIX=${BENCH_WINEPREFIX:-$PWD/build/bench-wineprefix}

echo "machine: $(nproc) CPUs, $(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //'), $(wine --version)"
scripts/wine-session.sh -- timeout -k 5 $((minutes * 60 + 180)) \
    wine "$build/vorlith_soak.exe" --minutes "$minutes" | tr -d '\r'
