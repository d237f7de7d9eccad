#!/usr/bin/env bash
# Builds kadrimos and runs every test.
#
#   1. gcc, with AddressSanitizer and UndefinedBehaviorSanitizer (including
#      float-cast-overflow); the first report fails the run;
#   2. clang, optimised, warnings as errors, and the export check on a
#      library built without sanitizer instrumentation.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

jobs=$(nproc)
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:halt_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

echo "== gcc, sanitizers"
cmake -S . -B build/gcc-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKADRIMOS_SANITIZE=ON \
      -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++ >/dev/null
cmake --build build/gcc-sanitize -j "$jobs"
ctest --test-dir build/gcc-sanitize --output-on-failure -j "$jobs"

echo "== clang, optimised"
cmake -S . -B build/clang-release -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build/clang-release -j "$jobs"
ctest --test-dir build/clang-release --output-on-failure -j "$jobs"

echo "== Windows: mingw-w64 builds, tests under Wine"
bash scripts/test_windows.sh
