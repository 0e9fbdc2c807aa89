# shellcheck shell=bash
# Sourced by scripts/bench.sh and scripts/soak.sh: what both do before they measure.
#
#   source scripts/bench-env.sh
#   bench_prepare TARGET...    # builds the targets, chooses the Wine prefix, prints the machine
#
# Builds with the mingw preset (build/mingw); BENCH_BUILD_DIR=dir builds there instead, without
# the Windows tests. Sets `build` to the build tree.

bench_prepare() {
    build=${BENCH_BUILD_DIR:-build/mingw}
    if [[ -z ${BENCH_BUILD_DIR:-} ]]; then
        cmake --preset mingw >/dev/null
    else
        cmake --preset mingw -B "$build" -DVORLITH_WINDOWS_TESTS=OFF >/dev/null
    fi
    cmake --build "$build" -j2 --target "$@" >/dev/null

    # A prefix of its own, apart from the tests' one, so that a benchmark and a test run never
    # wait for each other; the program runs in a Wine session on a private Xvfb.
    export VORLITH_WINEPREFIX=${BENCH_WINEPREFIX:-$PWD/build/bench-wineprefix}

    echo "machine: $(nproc) CPUs, $(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //'), $(wine --version)"
}
