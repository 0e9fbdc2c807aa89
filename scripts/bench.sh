#!/usr/bin/env bash
# Benchmark of the Windows program, under Wine on a private X display. One line per target,
# each ending in "met" or "missed":
#   - the real tick (Timer1_Timer, called back to back) against the bare operating-system calls
#     it has to make, grid off and on: ratio of the medians <= 1.10;
#   - start-up to the first reading <= 1.10 x (the yardstick's time to show + one 50 ms timer
#     interval), medians of alternating runs; the yardstick is an empty window in the system's
#     visual style (the program's manifest, the common controls, one button);
#   - memory after about 1,000 ticks <= the yardstick's + 0.5 MiB;
#   - vorlith.exe <= 256 KiB, with no symbol table or debug sections, importing system DLLs
#     only.
# A bare window (no manifest, no common controls) is measured too, for comparison.
#
#   scripts/bench.sh [vorlith_bench options: --ticks N --runs R --footprint-seconds S]
#
# Builds with the mingw preset (build/mingw). BENCH_BUILD_DIR=dir builds there instead, without
# the Windows tests. Takes about two minutes. Exit code 0 when every target is met.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
# shellcheck source=scripts/bench-env.sh
source scripts/bench-env.sh

bench_prepare vorlith vorlith_bench vorlith_empty_window vorlith_bare_window
echo "load average at the start: $(cut -d' ' -f1-3 /proc/loadavg)"
echo
status=0
scripts/wine-session.sh -- timeout -k 5 1200 wine "$build/vorlith_bench.exe" "$@" | tr -d '\r' || status=$?

# Size, symbols, and the DLLs that vorlith.exe imports: the system's only.
system_dlls='^(kernel32|user32|gdi32|comctl32|msvcrt|advapi32|shell32|ole32|uxtheme|comdlg32|shlwapi|imm32|version|winmm|ucrtbase|api-ms-win-.*)\.dll$'
size=$(stat -c %s "$build/vorlith.exe")
dlls=$(x86_64-w64-mingw32-objdump -p "$build/vorlith.exe" | sed -n 's/.*DLL Name: //p' | tr -d '\r')
others=$(echo "$dlls" | tr '[:upper:]' '[:lower:]' | grep -Ev "$system_dlls" | paste -sd' ' || true)
symbols=$(x86_64-w64-mingw32-objdump -t "$build/vorlith.exe" | grep -c '^\[' || true)
debug=$(x86_64-w64-mingw32-objdump -h "$build/vorlith.exe" | awk '$2 ~ /^\.debug/ { print $2 }' | paste -sd' ')
verdict=met
if ((size > 256 * 1024 || symbols > 0)) || [[ -n $others || -n $debug ]]; then
    verdict=missed
    status=1
fi
echo
echo "vorlith.exe: $size bytes, $symbols symbols${debug:+, debug sections $debug}," \
    "imports $(echo "$dlls" | paste -sd' ')${others:+ (not system DLLs: $others)};" \
    "target <= 256 KiB, no symbols or debug sections, system DLLs only: $verdict"
echo "load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
exit $status
