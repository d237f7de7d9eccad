#!/usr/bin/env bash
# The film page in a real browser (headless Chromium): a short flight with
# two pictures is filmed; the page must load, every picture in it must load,
# the page opened at "#last" must show the last moment, and a screenshot of
# it must not be blank.
#
# Usage: film_test.sh HOST MODULE WORK_DIR   (from the top of the repository)
set -euo pipefail
host=$1
module=$2
work=$3
rm -rf "$work"
mkdir -p "$work"

browser=$(command -v chromium || command -v chromium-browser || true)
if [ -z "$browser" ]; then
  echo "film_test: chromium is not installed (scripts/test.sh installs it)"
  exit 1
fi

cat >"$work/flight.scn" <<'EOF'
set 60 1
run 2 updates
picture "cold cockpit"
click "toskelin elec_batt_rulo" "BAT 1 ON"
click "toskelin elec_batt_rulo" "BAT 2 ON"
run 1 seconds
picture "batteries on"
EOF
"$host" --module "$module" --quiet --pictures "$work/pictures" --film "$work/film.html" "$work/flight.scn" \
  >"$work/host.out"

# Three moments: the two pictures of the scenario and the end of the flight.
moments=$(grep -c '<section class="moment"' "$work/film.html")
[ "$moments" -eq 3 ] || { echo "film_test: $moments moments in the film, expected 3"; exit 1; }

chrome=("$browser" --headless --no-sandbox --disable-gpu --disable-dev-shm-usage --no-first-run
        --disable-background-networking --disable-component-update --disable-sync --hide-scrollbars
        --user-data-dir="$work/profile" --virtual-time-budget=15000 --window-size=1400,1000)
page="file://$(cd "$work" && pwd)/film.html#last"

"${chrome[@]}" --dump-dom "$page" >"$work/dom.html" 2>"$work/chrome.log"
status=$(grep -o '<p id="status"[^>]*>[^<]*' "$work/dom.html" || true)
echo "film_test: $status"
loaded=$(sed -n 's/.*data-loaded="\([0-9]*\)".*/\1/p' <<<"$status")
pictures=$(sed -n 's/.*data-pictures="\([0-9]*\)".*/\1/p' <<<"$status")
showing=$(sed -n 's/.*data-showing="\([0-9]*\)".*/\1/p' <<<"$status")
[ -n "$pictures" ] && [ "$pictures" -gt 0 ] || { echo "film_test: the page reported no pictures"; exit 1; }
[ "$loaded" = "$pictures" ] || { echo "film_test: $loaded of $pictures pictures loaded"; exit 1; }
[ "$showing" = "$moments" ] || { echo "film_test: showing moment $showing, expected the last, $moments"; exit 1; }

"${chrome[@]}" --screenshot="$work/film.png" "$page" >/dev/null 2>>"$work/chrome.log"
/usr/bin/python3 - "$work/film.png" <<'EOF'
import sys
from PIL import Image
image = Image.open(sys.argv[1]).convert("RGB")
colours = image.getcolors(maxcolors=1 << 20) or []
if len(colours) < 16:
    sys.exit(f"film_test: the screenshot has {len(colours)} colours: blank")
print(f"film_test: screenshot {image.size[0]} x {image.size[1]}, {len(colours)} colours")
EOF
echo "film_test: the film loads, shows its $pictures pictures and goes to its last moment"
