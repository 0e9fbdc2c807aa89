#!/usr/bin/env bash
# Builds Vorlith both ways and runs every test: the native unit tests (with AddressSanitizer and
# UndefinedBehaviorSanitizer) and the Windows program's tests under Wine on a private Xvfb,
# all from one ctest in build/native.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
jobs=$(nproc)

"$root/scripts/deps.sh"
cmake --preset mingw
cmake --build --preset mingw -j"$jobs"
cmake --build --preset mingw --target package # build/mingw/vorlith-2.00-win64.zip
# The same program built by a second compiler, clang with lld (build/clang-mingw).
cmake --preset clang-mingw
cmake --build --preset clang-mingw -j"$jobs"
cmake --preset native
cmake --build --preset native -j"$jobs"
ctest --test-dir build/native --output-on-failure -j"$jobs" "$@"
