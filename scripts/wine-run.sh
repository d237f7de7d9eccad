#!/usr/bin/env bash
# Runs a Windows program of a cross build through Wine, in a private prefix.
# CMake uses it as the cross-compiling emulator, so CTest (and the discovery
# of the GoogleTest cases) run the Windows test programs through it.
#
#   wine-run.sh --wine wine64|wine --prefix DIR program.exe [args...]
#   wine-run.sh --wine wine64|wine --prefix DIR --prepare # create the prefix if missing
#   wine-run.sh --wine wine64|wine --prefix DIR --start   # prefix ready, server kept warm
#   wine-run.sh --wine wine64|wine --prefix DIR --stop    # stop the server and its programs
#
# DIR holds the prefix (DIR/prefix), a HOME whose ALSA default device is a
# null sink (DIR/home), so that DirectSound finds a device on machines without
# sound hardware, and a lock so that parallel runs create the prefix once.
# With KADRIMOS_WINE_SOUND=none the program runs without any sound device.
set -euo pipefail

wine=wine64
dir=
action=run
while [ $# -gt 0 ]; do
  case "$1" in
    --wine) wine=$2; shift 2 ;;
    --prefix) dir=$2; shift 2 ;;
    --prepare) action=prepare; shift ;;
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
# No Mono or Gecko: Wine would offer to install them when creating the prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="
export HOME="$dir/home"
export XDG_CONFIG_HOME="$dir/home/.config"
export XDG_CACHE_HOME="$dir/home/.cache"
export XDG_DATA_HOME="$dir/home/.local/share"
# The tests are console programs: no window ever shows, even on a desktop.
unset DISPLAY WAYLAND_DISPLAY
[ -f "$HOME/.asoundrc" ] || echo 'pcm.!default { type null }' >"$HOME/.asoundrc"
# KADRIMOS_WINE_SOUND=none: a HOME without that null device, so that
# DirectSound finds no sound card (as on a machine without one).
if [ "${KADRIMOS_WINE_SOUND:-}" = none ]; then
  export HOME="$dir/home-nosound"
  mkdir -p "$HOME"
  rm -f "$HOME/.asoundrc"
fi

# The prefix is created once; the stamp is written only after the server has
# saved the registry and exited, so a half-made prefix is made again.
ensure_prefix() {
  [ -f "$dir/prefix.ready" ] && return 0
  exec 9>"$dir/prefix.lock"
  flock 9
  if [ ! -f "$dir/prefix.ready" ]; then
    if [ -d "$WINEPREFIX" ]; then "$server" -k </dev/null >/dev/null 2>&1 || true; fi
    rm -rf "$WINEPREFIX"
    "$boot_loader" wineboot --init </dev/null >"$dir/wineboot.log" 2>&1
    "$server" -w
    touch "$dir/prefix.ready"
  fi
  flock -u 9
  exec 9>&-
}

# Whether a persistent server (-p, not Debian's default -p0) serves this
# prefix now: a server works in a folder named after the prefix's device and
# inode, server-<dev>-<inode> in hexadecimal.
persistent_server_running() {
  [ -d "$WINEPREFIX" ] || return 1
  local id proc comm cwd cmdline
  id=$(printf 'server-%x-%x' $(stat -c '%d %i' "$WINEPREFIX"))
  for proc in /proc/[0-9]*; do
    read -r comm 2>/dev/null <"$proc/comm" || continue
    case "$comm" in wineserver*) ;; *) continue ;; esac
    cwd=$(readlink "$proc/cwd" 2>/dev/null) || continue
    [ "${cwd##*/}" = "$id" ] || continue
    cmdline=$(tr '\0' ' ' 2>/dev/null <"$proc/cmdline") || continue
    case " $cmdline " in *" -p "*) return 0 ;; esac
  done
  return 1
}

case "$action" in
  prepare)
    ensure_prefix
    ;;
  start)
    ensure_prefix
    persistent_server_running && exit 0
    # A server started by an earlier run (the discovery of the test cases,
    # say) exits when idle, and -p does not change a running server: stop
    # it, then start the persistent one.
    "$server" -k </dev/null >/dev/null 2>&1 || true
    # The server and the prefix's services outlive this script: they get no
    # descriptor of the caller's, or CTest would wait for them to close it.
    "$server" -p </dev/null >>"$dir/wineserver.log" 2>&1
    # The desktop process (explorer /desktop) quits about a second after the
    # last program on the desktop ends; the next program then starts a new
    # one, which inherits that program's output, and CTest waits for that
    # test until every other test has ended and the desktop quits. A command
    # interpreter that waits for ever on a pipe nobody writes to keeps the
    # desktop up until --stop; the desktop is started by it or by wineboot
    # below, whose output goes to the log, not to CTest.
    rm -f "$dir/keeper.fifo"
    mkfifo "$dir/keeper.fifo"
    "$boot_loader" cmd.exe <>"$dir/keeper.fifo" >>"$dir/wineserver.log" 2>&1 &
    # Start the services now rather than in the first test.
    "$boot_loader" wineboot </dev/null >>"$dir/wineserver.log" 2>&1 || true
    ;;
  stop)
    if [ -d "$WINEPREFIX" ]; then "$server" -k </dev/null >/dev/null 2>&1 || true; fi
    ;;
  run)
    if [ $# -eq 0 ]; then
      echo "usage: wine-run.sh --wine wine64|wine --prefix DIR program.exe [args...]" >&2
      exit 2
    fi
    # On machines without 32-bit support in the kernel the 32-bit loader
    # cannot start at all ("Exec format error"): say so where CTest shows it.
    if [ "$wine" = wine ] && ! "$loader" --version >/dev/null 2>&1; then
      msg="wine-run.sh: $loader cannot run here: this machine cannot execute 32-bit programs"
      echo "$msg"
      echo "$msg" >&2
      exit 125
    fi
    ensure_prefix
    exec "$loader" "$@"
    ;;
esac
