#!/usr/bin/env bash
# Builds the fuzzers with clang into build-fuzz/ and runs them for a bounded time shared between
# them: scripts/fuzz.sh [seconds, 60 by default], half to the statement fuzzer, half to the list
# fuzzer. Any crash or sanitizer report fails.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
statements=$((seconds / 2))
lists=$((seconds - statements))

scripts/install-packages.sh clang-14 libclang-rt-14-dev

CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCINABREL_FUZZ=ON >/dev/null
cmake --build build-fuzz -j2 --target statement_fuzzer list_fuzzer
mkdir -p build-fuzz/corpus build-fuzz/list_corpus build-fuzz/artifacts
./build-fuzz/fuzz/statement_fuzzer -max_total_time="$statements" -max_len=8192 -print_final_stats=1 \
  -artifact_prefix=build-fuzz/artifacts/ build-fuzz/corpus fuzz/seeds
# Seeded with the default lists and the test cases' list files.
./build-fuzz/fuzz/list_fuzzer -max_total_time="$lists" -max_len=8192 -print_final_stats=1 \
  -artifact_prefix=build-fuzz/artifacts/lists- build-fuzz/list_corpus data tests/data/codec
