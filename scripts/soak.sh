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
# shellcheck source=scripts/bench-env.sh
source scripts/bench-env.sh

bench_prepare vorlith vorlith_soak
scripts/wine-session.sh -- timeout -k 5 $((minutes * 60 + 180)) \
    wine "$build/vorlith_soak.exe" --minutes "$minutes" | tr -d '\r'
