#!/usr/bin/env bash
# Builds the module and the simulated host and flies the default scenario,
# printing the timeline of what the crew sees and hears. Pictures of the
# open panel windows at the scenario's key moments go to build/run/pictures,
# and the film of the flight (timeline, pictures on a time slider, the crew's
# audio) to build/run/film.html; the last lines say where.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
mkdir -p build
if ! { cmake -S . -B build/run -G Ninja -DCMAKE_BUILD_TYPE=Release &&
       cmake --build build/run --target kadrimos kadrimos-host; } >build/run.log 2>&1; then
  cat build/run.log
  echo "run: the build failed (log above, also in build/run.log)" >&2
  exit 1
fi
rm -rf build/run/pictures
build/run/host/kadrimos-host --module build/run/kadrimos.so --pictures build/run/pictures \
  --film build/run/film.html --audio build/run/audio.wav scenarios/default.scn
