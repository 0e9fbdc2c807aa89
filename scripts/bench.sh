#!/usr/bin/env bash
# Benchmark of the Windows program, under Wine on a private X display:
#   - the real tick (Timer1_Timer, called back to back) against the bare operating-system calls
#     it has to make, grid off and on: median, 99th percentile, ratio (target <= 1.15);
#   - start-up to the first reading against an empty window (target <= 1.5x), memory after
#     about 1,000 ticks (target within 2 MiB), size and DLLs of vorlith.exe (< 1 MiB, system
#     DLLs only).
#
#   scripts/bench.sh [vorlith_bench options: --ticks N --runs R --footprint-seconds S]
#
# Builds with the mingw preset (build/mingw). BENCH_BUILD_DIR=dir builds there instead, without
# the Windows tests. Takes about seven minutes. Exit code 0 when every target is met.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

build=${BENCH_BUILD_DIR:-build/mingw}
if [[ -z ${BENCH_BUILD_DIR:-} ]]; then
    cmake --preset mingw >/dev/null
else
    cmake --preset mingw -B "$build" -DVORLITH_WINDOWS_TESTS=OFF >/dev/null
fi
cmake --build "$build" -j2 --target vorlith vorlith_bench vorlith_empty_window >/dev/null

# A prefix of its own, apart from the tests' one, so that a benchmark and a test run never
# wait for each other; the program runs in a Wine session on a private Xvfb.
export VORLITH_WINEPREFIX=${BENCH_WINEPREFIX:-$PWD/build/bench-wineprefix}

echo "machine: $(nproc) CPUs, $(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //'), $(wine --version)"
echo
status=0
scripts/wine-session.sh -- timeout -k 5 900 wine "$build/vorlith_bench.exe" "$@" | tr -d '\r' || status=$?

# The DLLs that vorlith.exe imports: the system's only.
system_dlls='^(kernel32|user32|gdi32|comctl32|msvcrt|advapi32|shell32|ole32|uxtheme|comdlg32|shlwapi|imm32|version|winmm|ucrtbase|api-ms-win-.*)\.dll$'
dlls=$(x86_64-w64-mingw32-objdump -p "$build/vorlith.exe" | sed -n 's/.*DLL Name: //p' | tr -d '\r')
others=$(echo "$dlls" | tr 'A-Z' 'a-z' | grep -Ev "$system_dlls" || true)
echo "vorlith.exe imports: $(echo $dlls)"
if [[ -n $others ]]; then
    echo "  not system DLLs: $(echo $others): OVER"
    status=1
else
    echo "  system DLLs only: ok"
fi
exit $status
