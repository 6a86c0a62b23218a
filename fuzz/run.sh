#!/bin/sh
# Builds the fuzz target with clang and runs it for the given seconds (default 300),
# growing a working corpus from the seeds. Usage: fuzz/run.sh [seconds]
set -eu
cd "$(dirname "$0")/.."
seconds=${1:-300}
CXX=clang++ cmake -S . -B build-fuzz -DVORNEL_FUZZ=ON -DVORNEL_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j2 --target fuzz_reader >/dev/null
for target in fuzz_reader; do
    work="fuzz/corpus-work/$target"
    mkdir -p "$work" "fuzz/findings/$target"
    build-fuzz/fuzz/$target -max_total_time="$seconds" -max_len=4096 \
        -artifact_prefix="fuzz/findings/$target/" "$work" "fuzz/corpus/$target" 2>&1 |
        grep -E '^(#[0-9]+ +DONE|Done|==[0-9]+==ERROR|SUMMARY|artifact_prefix)' || true
done
