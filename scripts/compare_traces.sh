#!/usr/bin/env bash
# Flies every scenario in the Linux host and in a Windows host (under Wine,
# once with a sound device and once without) and requires the same
# timeline, byte for byte. Sound card requests are left out of the
# comparison: the Linux host sees them through its audio substitute, the
# Windows host cannot look inside DirectSound.
#
# Usage (from the top of the repository):
#   compare_traces.sh LINUX_BUILD_DIR WINDOWS_BUILD_DIR [wine64|wine]
# wine64 (the default) runs an x86_64 Windows build; wine runs the 32-bit
# one, kadrimos-host.exe loading the kadrimos.gau the simulator loads.
set -euo pipefail
linux=$1
windows=$2
wine=${3:-wine64}
build=$(basename "$windows")
out=build/traces
mkdir -p "$out"
wine_run="scripts/wine-run.sh --wine $wine --prefix $windows/wine"

without_sound() { grep -v -e '"type":"sound"' "$1"; }
timeline_without_sound() { grep -v -e '  sound ' "$1" | tr -d '\r'; }

count=0
for scenario in scenarios/*.scn; do
  name=$(basename "$scenario" .scn)
  "$linux/host/kadrimos-host" --module "$linux/kadrimos.so" --json "$out/$name.linux.json" "$scenario" \
    >"$out/$name.linux.txt"
  for sound in device none; do
    if [ "$sound" = none ]; then export KADRIMOS_WINE_SOUND=none; else unset KADRIMOS_WINE_SOUND; fi
    # Now and then a Wine process dies as it starts, before the program
    # prints a line: such a run (no output at all) is made once more.
    run_windows() {
      $wine_run "$windows/host/kadrimos-host.exe" --module "$windows/kadrimos.gau" \
        --json "$out/$name.$build-$sound.json" "$scenario" >"$out/$name.$build-$sound.txt" \
        2>"$out/$name.$build-$sound.err"
    }
    if ! run_windows && { [ -s "$out/$name.$build-$sound.txt" ] || [ -s "$out/$name.$build-$sound.err" ] || ! run_windows; }; then
      echo "compare_traces: $scenario failed in the Windows host of $build (sound: $sound)"
      tail -n 20 "$out/$name.$build-$sound.txt" "$out/$name.$build-$sound.err"
      exit 1
    fi
    if ! diff <(without_sound "$out/$name.linux.json") <(without_sound "$out/$name.$build-$sound.json") >"$out/$name.$build.diff"; then
      echo "compare_traces: $scenario: Linux and Windows $build (sound: $sound) timelines differ:"
      head -20 "$out/$name.$build.diff"
      exit 1
    fi
    if ! diff <(timeline_without_sound "$out/$name.linux.txt") <(timeline_without_sound "$out/$name.$build-$sound.txt") >"$out/$name.$build.diff"; then
      echo "compare_traces: $scenario: Linux and Windows $build (sound: $sound) printed timelines differ:"
      head -20 "$out/$name.$build.diff"
      exit 1
    fi
  done
  count=$((count + 1))
done
unset KADRIMOS_WINE_SOUND
echo "compare_traces: $count scenarios gave the same timeline on Linux and on Windows ($build), with and without a sound device"
