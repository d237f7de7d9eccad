#!/usr/bin/env bash
# Runs a Windows program of a cross build through Wine, in a private prefix.
# CMake uses it as the cross-compiling emulator, so CTest (and the discovery
# of the GoogleTest cases) run the Windows test programs through it.
#
#   wine-run.sh --wine wine64|wine --prefix DIR program.exe [args...]
#   wine-run.sh --wine wine64|wine --prefix DIR --start   # prefix ready, server kept warm
#   wine-run.sh --wine wine64|wine --prefix DIR --stop    # stop the server and its programs
#
# DIR holds the prefix (DIR/prefix), a HOME whose ALSA default device is a
# null sink (DIR/home), so that DirectSound finds a device on machines without
# sound hardware, and a lock so that parallel runs create the prefix once.
set -euo pipefail

wine=wine64
dir=
action=run
while [ $# -gt 0 ]; do
  case "$1" in
    --wine) wine=$2; shift 2 ;;
    --prefix) dir=$2; shift 2 ;;
    --start) action=start; shift ;;
    --stop) action=stop; shift ;;
    --) shift; break ;;
    *) break ;;
  esac
done
if [ -z "$dir" ]; then
  echo "wine-run.sh: --prefix DIR is required" >&2
  exit 2
fi

case "$wine" in
  wine64) loader=/usr/lib/wine/wine64 ;;
  wine) loader=/usr/lib/wine/wine ;;
  *) echo "wine-run.sh: --wine must be wine64 or wine, not $wine" >&2; exit 2 ;;
esac
# The 64-bit server serves 32-bit and 64-bit programs of a prefix alike, and
# the prefix is created with the 64-bit loader: it runs on every x86-64 host.
boot_loader=/usr/lib/wine/wine64
server=/usr/lib/wine/wineserver64
if [ ! -x "$boot_loader" ]; then boot_loader=$loader; fi
if [ ! -x "$server" ]; then server=/usr/lib/wine/wineserver32; fi

mkdir -p "$dir/home"
dir=$(cd "$dir" && pwd)
export WINEPREFIX="$dir/prefix"
export WINESERVER="$server"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export HOME="$dir/home"
export XDG_CONFIG_HOME="$dir/home/.config"
export XDG_CACHE_HOME="$dir/home/.cache"
export XDG_DATA_HOME="$dir/home/.local/share"
unset DISPLAY WAYLAND_DISPLAY
[ -f "$HOME/.asoundrc" ] || echo 'pcm.!default { type null }' >"$HOME/.asoundrc"

# The prefix is created once; the stamp is written only after the server has
# saved the registry and exited, so a half-made prefix is made again.
ensure_prefix() {
  [ -f "$dir/prefix.ready" ] && return 0
  exec 9>"$dir/prefix.lock"
  flock 9
  if [ ! -f "$dir/prefix.ready" ]; then
    rm -rf "$WINEPREFIX"
    "$boot_loader" wineboot --init >/dev/null 2>&1
    "$server" -w
    touch "$dir/prefix.ready"
  fi
  flock -u 9
  exec 9>&-
}

case "$action" in
  start)
    ensure_prefix
    # A server started by an earlier run may still be exiting; a persistent
    # one then takes over. -p on a running server only makes it persistent.
    "$server" -p
    # Boot the prefix's services now rather than in the first test.
    "$boot_loader" wineboot >/dev/null 2>&1 || true
    ;;
  stop)
    if [ -d "$WINEPREFIX" ]; then "$server" -k 2>/dev/null || true; fi
    ;;
  run)
    if [ $# -eq 0 ]; then
      echo "usage: wine-run.sh --wine wine64|wine --prefix DIR program.exe [args...]" >&2
      exit 2
    fi
    ensure_prefix
    exec "$loader" "$@"
    ;;
esac
