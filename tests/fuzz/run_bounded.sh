#!/bin/sh
# Runs the fuzz_logic libFuzzer binary for a bounded time and fails on any crash, sanitizer
# report or broken invariant.
# Usage: run_bounded.sh FUZZER WORKDIR [libFuzzer options...]
# WORKDIR keeps the corpus between runs, so that later runs start from what earlier runs found,
# and receives the crashing input (crash-*) when one is found.
set -eu
if [ "$#" -lt 2 ]; then
    echo "usage: $0 FUZZER WORKDIR [libFuzzer options...]" >&2
    exit 2
fi
fuzzer=$1
work=$2
shift 2
mkdir -p "$work/corpus"
# libFuzzer exits non-zero on a crash, a leak, a timeout or a sanitizer report.
exec "$fuzzer" -artifact_prefix="$work/" -print_final_stats=1 "$@" "$work/corpus"
