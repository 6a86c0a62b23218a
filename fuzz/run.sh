#!/bin/sh
# Builds the fuzz target with clang and runs it for the given seconds (default 300),
# growing a working corpus from the seeds. Usage: fuzz/run.sh [seconds]
set -eu
cd "$(dirname "$0")/.."
seconds=${1:-300}
CXX=clang++ cmake -S . -B build-fuzz -DVORNEL_FUZZ=ON -DVORNEL_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j2 --target fuzz_reader >/dev/null
mkdir -p fuzz/corpus-work/fuzz_reader fuzz/findings/fuzz_reader
build-fuzz/fuzz/fuzz_reader -max_total_time="$seconds" -max_len=4096 -artifact_prefix=fuzz/findings/fuzz_reader/ \
    fuzz/corpus-work/fuzz_reader fuzz/corpus/fuzz_reader 2>&1 | grep -E '^(Done|==[0-9]+==ERROR|SUMMARY)' || true
