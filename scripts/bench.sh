#!/usr/bin/env bash
# Builds the optimised tree and runs the full-update benchmark
# (docs/PERFORMANCE.md). Extra arguments go to the benchmark program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build/clang-release -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build/clang-release -j "$(nproc)" --target kadrimos_bench
build/clang-release/bench/kadrimos_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"
