#!/usr/bin/env bash
# Builds kadrimos for Windows with mingw-w64 and runs the tests under Wine.
#
#   1. i686 (PE32, the module the simulator loads), Release: the module and
#      every test program built with warnings as errors; the module must
#      export exactly Linkage and ImportTable and import only system DLLs.
#      Where this machine runs 32-bit programs (some machines of this kind
#      do, some do not: it is detected, never assumed), its tests run under
#      32-bit Wine, the layout test reading the module through the
#      simulator's own byte offsets among them, and every scenario is flown
#      by the 32-bit kadrimos-host.exe loading kadrimos.gau, with timelines
#      identical to Linux.
#   2. x86_64 (PE32+), Release: the same sources and tests, run under wine64,
#      so that the Windows code paths are exercised on every machine, and the
#      same timeline comparison.
#
# Each tree has its own Wine prefix in build/<tree>/wine, created once. One
# Wine server is kept warm for the whole run (started here before CTest lists
# the test cases; the wine_server fixture starts it when CTest runs alone) and
# stopped at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

# --- What the Windows stage needs ----------------------------------------------
packages=(g++-mingw-w64-i686 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64 g++-mingw-w64-x86-64-posix
          wine wine64 wine32:i386)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "test_windows: installing ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then sudo=sudo; else sudo=; fi
  # wine32 comes from the i386 architecture.
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
  fi
  # A mirror caught mid-sync fails an index now and then (seen: the i386
  # security index, "Mirror sync in progress?"): ask again before giving up.
  for attempt in 1 2 3; do
    $sudo apt-get update -qq && break
    echo "test_windows: package index incomplete (attempt $attempt), asking again in 20 s"
    sleep 20
  done
  if ! DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null; then
    # With the i386 side of an update index missing, the amd64 libraries'
    # newer candidates have no i386 twin and wine32 cannot be resolved. The
    # release's own packages are consistent on both sides: take those.
    release=$(. /etc/os-release && echo "$VERSION_CODENAME")
    echo "test_windows: installing from $release itself, whose two architectures agree"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq -t "$release" "${missing[@]}" >/dev/null
  fi
fi

# Two runs at once would share the build trees and Wine servers (and each
# stops the servers when it ends): the second waits for the first.
mkdir -p build
exec 8>build/test_windows.lock
if ! flock -n 8; then
  echo "test_windows: waiting for another run of scripts/test_windows.sh"
  flock 8
fi

jobs=$(nproc)
# Now and then a Wine process dies as it starts, before the program prints a
# line (seen: one test of 340, 0.02 s, no output, passing when run again). A
# test that fails under Wine is therefore run once more; the program's own
# failures fail both times, and the same tests run without Wine on Linux.
wine_ctest=(--output-on-failure -j "$jobs" --repeat until-pass:2)
win32=build/mingw-i686
win64=build/mingw-x86_64
wine_run=scripts/wine-run.sh

# Whatever happens, no Wine server of ours outlives the script.
stop_wine() {
  "$wine_run" --wine wine --prefix "$win32/wine" --stop
  "$wine_run" --wine wine64 --prefix "$win64/wine" --stop
}
trap stop_wine EXIT

seconds() { date +%s; }
start=$(seconds)

echo "== mingw-w64 i686 (PE32), Release"
cmake -S . -B "$win32" -G Ninja -DCMAKE_BUILD_TYPE=Release --no-warn-unused-cli \
      -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
cmake --build "$win32" -j "$jobs"
scripts/check_exports.sh "$win32/kadrimos.gau"
scripts/check_imports.sh "$win32/kadrimos.gau"
echo "-- kadrimos.gau: $(stat -c %s "$win32/kadrimos.gau") bytes"
# Every bitmap an element names is a BITMAP resource of the DLL the simulator
# loads (read from the file: this holds on machines that cannot run it).
if [ -x build/clang-release/host/catalogue ]; then
  build/clang-release/host/catalogue --records build/clang-release/kadrimos.so >"$win32/records.txt"
  /usr/bin/python3 scripts/check_bitmap_resources.py "$win32/kadrimos.gau" "$win32/records.txt"
else
  echo "-- no Linux build in build/clang-release: the DLL's bitmaps are checked by the tests only"
fi

# A machine (or container) without 32-bit support cannot start Wine's 32-bit
# loader at all; the i686 build is then checked as a file, and its code runs
# only as the x86_64 build below. A real 32-bit program decides, not the
# loader's version line.
runs_32_bit=no
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  "$wine_run" --wine wine --prefix "$win32/wine" --start
  # Asked for help, the host prints its usage and exits with 0: only a
  # program that really ran can do both.
  if "$wine_run" --wine wine --prefix "$win32/wine" "$win32/host/kadrimos-host.exe" --help 2>/dev/null |
     grep -q '^usage: kadrimos-host'; then
    runs_32_bit=yes
  fi
fi
if [ "$runs_32_bit" = yes ]; then
  echo "-- this machine runs 32-bit programs: the i686 tests under 32-bit wine"
  ctest --test-dir "$win32" "${wine_ctest[@]}"
else
  echo "-- 32-bit Windows programs cannot run on this machine: the i686 build is built and inspected, and its tests run only as the x86_64 build under wine64"
fi
echo "-- i686 stage: $(($(seconds) - start)) s"

echo "== mingw-w64 x86_64 (PE32+), Release, tests under wine64"
start=$(seconds)
cmake -S . -B "$win64" -G Ninja -DCMAKE_BUILD_TYPE=Release --no-warn-unused-cli \
      -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake >/dev/null
cmake --build "$win64" -j "$jobs"
if [ ! -f "$win64/wine/prefix.ready" ]; then
  echo "-- creating the Wine prefix $win64/wine/prefix"
fi
# The prefix is made and the server warm before CTest lists the test cases.
"$wine_run" --wine wine64 --prefix "$win64/wine" --start
echo "-- x86_64 build, prefix and Wine server: $(($(seconds) - start)) s"
ctest --test-dir "$win64" "${wine_ctest[@]}"

# The same scenarios give the same timeline on Linux and on Windows, 64-bit
# and, where it runs, 32-bit (the Linux build is the one scripts/test.sh made
# just before).
if [ -x build/clang-release/host/kadrimos-host ]; then
  scripts/compare_traces.sh build/clang-release "$win64" wine64
  if [ "$runs_32_bit" = yes ]; then
    scripts/compare_traces.sh build/clang-release "$win32" wine
  fi
else
  echo "-- no Linux build in build/clang-release: run scripts/test.sh to compare the Linux and Windows timelines"
fi
