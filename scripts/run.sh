#!/usr/bin/env bash
# Builds the module and the simulated host and flies the default scenario,
# printing the timeline of what the crew sees and hears.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build/run -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/run --target kadrimos kadrimos-host >/dev/null
build/run/host/kadrimos-host --module build/run/kadrimos.so scenarios/default.scn
