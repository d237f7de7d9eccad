#!/usr/bin/env bash
# Remakes host/data/roles.txt from the role labels in the gauges' sources.
set -euo pipefail
cd "$(dirname "$0")/.."
mkdir -p build
cmake -S . -B build/roles -G Ninja -DCMAKE_BUILD_TYPE=Debug >build/roles.log 2>&1 &&
  cmake --build build/roles --target roles_file >>build/roles.log 2>&1 || {
  cat build/roles.log
  echo "update_roles: the build failed (log above, also in build/roles.log)" >&2
  exit 1
}
build/roles/tests/roles_file >host/data/roles.txt.new
mv host/data/roles.txt.new host/data/roles.txt
echo "host/data/roles.txt: $(grep -vc '^#' host/data/roles.txt) labels"
