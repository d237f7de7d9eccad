#!/usr/bin/env bash
# Regenerates the cockpit's element bitmaps into src/resources/art/.
#
#   scripts/generate_art.sh                   # builds the module, writes src/resources/art/<id>.bmp
#   scripts/generate_art.sh --out DIR         # writes DIR/<id>.bmp instead
#   scripts/generate_art.sh --records FILE    # takes the element records from FILE, builds nothing
#
# A developer's tool: the build uses the committed files and needs none of
# this. The records come from the Linux module itself (`catalogue --records`
# lists every element and mouse area the host reads), the element roles from
# host/data/roles.txt; scripts/generate_art.py draws from the two with Pillow.
# Run twice, it writes the same bytes. The committed files were made with
# Debian 12's python3-pil 9.4 and fonts-dejavu-core 2.37.
set -euo pipefail
cd "$(dirname "$0")/.."

out_dir=src/resources/art
records=
while [ $# -gt 0 ]; do
  case "$1" in
    --out) out_dir=$2; shift 2 ;;
    --records) records=$2; shift 2 ;;
    *) echo "usage: $0 [--out DIR] [--records FILE]" >&2; exit 2 ;;
  esac
done

# Install what is missing (Debian packages; Debian's own python3 is the one
# that sees python3-pil).
need=()
for p in python3 python3-pil fonts-dejavu-core; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || need+=("$p")
done
if [ -z "$records" ]; then
  for p in cmake ninja-build g++; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || need+=("$p")
  done
fi
if [ ${#need[@]} -gt 0 ]; then
  echo "generate_art: installing ${need[*]}"
  if [ "$(id -u)" -ne 0 ]; then sudo=sudo; else sudo=; fi
  # A partly stale mirror leaves some index missing; what we need is
  # usually still found, so go on and let the install say if it is not.
  $sudo apt-get update -qq || echo "generate_art: apt-get update reported errors; trying the install anyway" >&2
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${need[@]}" >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if [ -z "$records" ]; then
  cmake -S . -B build/art -G Ninja -DCMAKE_BUILD_TYPE=Release -DKADRIMOS_TESTS=OFF >"$work/cmake.log" 2>&1 &&
    cmake --build build/art --target kadrimos catalogue -j2 >>"$work/cmake.log" 2>&1 || {
    cat "$work/cmake.log"
    echo "generate_art: the build failed (log above)" >&2
    exit 1
  }
  records=$work/records.txt
  build/art/host/catalogue --records build/art/kadrimos.so >"$records"
fi

/usr/bin/python3 scripts/generate_art.py --records "$records" --roles host/data/roles.txt --out "$out_dir"

# The simulated host's panel gives each gauge the proportions of its art.
if [ "$out_dir" = src/resources/art ]; then
  /usr/bin/python3 scripts/layout_panel.py --records "$records" --art "$out_dir" --panel host/data/panel.cfg
fi
