#!/usr/bin/env bash
# Builds kadrimos and runs every test.
#
#   1. gcc, with AddressSanitizer and UndefinedBehaviorSanitizer (including
#      float-cast-overflow); the first report fails the run;
#   2. clang, optimised, warnings as errors, and the export check on a
#      library built without sanitizer instrumentation; then the soak: twelve
#      hours of simulated flight of the whole cockpit, memory flat;
#   3. the hostile-host and wave fuzzers (clang, libFuzzer, sanitizers) for a
#      bounded time (KADRIMOS_FUZZ_SECONDS, 120 by default);
#   4. the art: regenerated from the module's records, byte for byte the
#      committed bitmaps;
#   5. the Windows builds, tests under Wine, and the same timelines as Linux.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

# What only the tests need: a browser for the film page's test, and the
# drawing library the art is made with.
test_packages=(chromium python3-pil)
missing=()
for p in "${test_packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "test: installing ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then sudo=sudo; else sudo=; fi
  $sudo apt-get update -qq || echo "test: the package index is incomplete; trying the install anyway"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi

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

echo "== soak: twelve hours of simulated flight (optimised build)"
grep -qx 'repeat 2' scenarios/soak.scn || { echo "soak.scn no longer has its 'repeat 2' line"; exit 1; }
sed 's/^repeat 2$/repeat 72/' scenarios/soak.scn >build/soak_12h.scn
soak_start=$(date +%s)
build/clang-release/host/kadrimos-host --module build/clang-release/kadrimos.so --quiet build/soak_12h.scn
echo "soak: twelve simulated hours took $(( $(date +%s) - soak_start )) s of wall time"

echo "== fuzzing: the module under a hostile host, and the wave parser"
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKADRIMOS_FUZZ=ON -DKADRIMOS_SANITIZE=ON \
      -DKADRIMOS_TESTS=OFF -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build/fuzz -j "$jobs" --target host_fuzz wave_fuzz
fuzz_seconds=${KADRIMOS_FUZZ_SECONDS:-120}
for target in host wave; do
  # New inputs go to a scratch corpus; the committed seeds are only read.
  mkdir -p "build/fuzz/corpus-$target"
  seconds=$fuzz_seconds
  [ "$target" = wave ] && seconds=$(( fuzz_seconds / 4 ))
  build/fuzz/${target}_fuzz -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 \
    "build/fuzz/corpus-$target" "fuzz/corpus/$target" 2>"build/fuzz/$target.log" \
    || { tail -60 "build/fuzz/$target.log"; echo "fuzzing $target: a finding (input saved in the working directory)"; exit 1; }
  grep -E '^stat::(number_of_executed_units|new_units_added)' "build/fuzz/$target.log"
done

echo "== art: regenerated from the module's records, it must be the committed art"
build/clang-release/host/catalogue --records build/clang-release/kadrimos.so >build/art-records.txt
rm -rf build/art-check
scripts/generate_art.sh --records build/art-records.txt --out build/art-check
diff -r src/resources/art build/art-check >/dev/null \
  || { diff -rq src/resources/art build/art-check | head; echo "art: regenerating changes the bitmaps (scripts/generate_art.sh)"; exit 1; }
echo "art: $(ls src/resources/art | wc -l) bitmaps, byte for byte"

echo "== Windows: mingw-w64 builds, tests under Wine"
bash scripts/test_windows.sh
