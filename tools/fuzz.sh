#!/bin/sh
# Builds the case-file fuzzer with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) into ./build-fuzz and runs it.
# Usage: tools/fuzz.sh [seconds]   (default 600)
set -eu
cd "$(dirname "$0")/.."
./tools/deps.sh
if ! command -v clang++ >/dev/null 2>&1; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y clang libclang-rt-14-dev
fi
seconds=${1:-600}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DORVA_FUZZ=ON -DORVA_BUILD_TESTS=OFF -DORVA_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz --target fuzz_casefile
mkdir -p build-fuzz/corpus build-fuzz/crashes
./build-fuzz/tests/fuzz/fuzz_casefile build-fuzz/corpus tests/fuzz/corpus \
  -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=4096 \
  -artifact_prefix=build-fuzz/crashes/ -print_final_stats=1
