#!/usr/bin/env bash
# Builds the module and lists its catalogue: every gauge the simulator can
# place, with its width and whether its cockpit item is simulated yet.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build/run -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/run --target kadrimos catalogue >/dev/null
build/run/catalogue build/run/kadrimos.so
