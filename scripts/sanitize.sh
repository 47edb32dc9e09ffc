#!/usr/bin/env bash
# Builds the whole test suite a second time with AddressSanitizer and UndefinedBehaviorSanitizer
# into build-asan/ and runs it there. Any report fails the test that made it, and so this script.
set -euo pipefail
cd "$(dirname "$0")/.."

# Leaks inside third-party libraries (fonts, Qt's platform plugins) are not ours to mend; only
# those are suppressed. Every other report stops the program at once.
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=-O1 -DCINABREL_SANITIZE=ON >/dev/null
cmake --build build-asan -j2
ctest --test-dir build-asan --output-on-failure -j2
