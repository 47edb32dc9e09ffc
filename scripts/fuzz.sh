#!/usr/bin/env bash
# Builds the statement fuzzer with clang into build-fuzz/ and runs it for a bounded time:
# scripts/fuzz.sh [seconds, 60 by default]. Any crash or sanitizer report fails.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"

scripts/install-packages.sh clang-14 libclang-rt-14-dev

CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCINABREL_FUZZ=ON >/dev/null
cmake --build build-fuzz -j2 --target statement_fuzzer
mkdir -p build-fuzz/corpus build-fuzz/artifacts
./build-fuzz/fuzz/statement_fuzzer -max_total_time="$seconds" -max_len=8192 -print_final_stats=1 \
  -artifact_prefix=build-fuzz/artifacts/ build-fuzz/corpus fuzz/seeds
