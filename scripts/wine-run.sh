#!/usr/bin/env bash
# Runs a Windows program of the cross build under Wine, in a way that can never reach a serial
# device of this machine (on the build machines /dev/ttyS0 is the system console):
#
# - Wine runs in a mount namespace of its own whose /dev holds only what programs need (null,
#   zero, random, the terminal and pseudo-terminals): no /dev/ttyS*, /dev/ttyUSB* or /dev/ttyACM*
#   exists there, so Wine finds no serial device to map a COM port to.
# - The Wine prefix is private (DIR/prefix); COM1 to COM4 are mapped to the links DIR/ports/com1
#   to com4, which a test points at a pseudo-terminal, and every dosdevices/com* link is checked
#   to lead there before any program runs.
#
# Usage: wine-run.sh --dir DIR [--loopback COMn --loopback-program PATH] PROGRAM.exe [ARGS...]
# With --loopback, PATH (halvex-pty-loopback, a Linux program) plays a loopback plug on COMn for
# the program's run, and HALVEX_LOOPBACK_PORT=COMn tells the program so.
set -euo pipefail

die() { echo "wine-run.sh: $*" >&2; exit 1; }

wine_dir="" loopback="" loopback_program=""
while [ $# -gt 0 ]; do
  case $1 in
    --dir) wine_dir=$2; shift 2 ;;
    --loopback) loopback=$2; shift 2 ;;
    --loopback-program) loopback_program=$2; shift 2 ;;
    --) shift; break ;;
    *) break ;;
  esac
done
[ -n "$wine_dir" ] && [ $# -gt 0 ] || die "usage: wine-run.sh --dir DIR [--loopback COMn --loopback-program PATH] PROGRAM [ARGS...]"
[ -z "$loopback" ] || [ -x "$loopback_program" ] || die "--loopback needs --loopback-program"
mkdir -p "$wine_dir"
wine_dir=$(cd "$wine_dir" && pwd)
self=$(cd "$(dirname "$0")" && pwd)/$(basename "$0")

# Enters a new mount namespace with a /dev of its own, then runs this script again inside it.
# Mounting needs root: as root (CI) it is done directly; otherwise through sudo, and inside the
# namespace the script goes back to the calling user (HALVEX_WINE_USER, uid:gid) before Wine
# starts, so the prefix and everything Wine writes stay the user's. The pseudo-terminals stay
# those of this machine, so a Linux program outside the namespace (the simulator) can be the far
# end of a COM port.
if [ "${HALVEX_WINE_SANDBOX:-}" != "$wine_dir" ]; then
  as_root=()
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || die "needs root or sudo, to give Wine a /dev without serial devices"
    as_root=(sudo --preserve-env)
    export HALVEX_WINE_USER="$(id -u):$(id -g)"
  fi
  export HALVEX_WINE_SANDBOX=$wine_dir
  exec "${as_root[@]}" unshare --mount --propagation private bash -c '
    set -euo pipefail
    trap "echo \"wine-run.sh: cannot give Wine a /dev without serial devices; nothing was run\" >&2" ERR
    dev=$(mktemp -d)
    mount -t tmpfs -o mode=0755 halvex-dev "$dev"
    for node in null zero full random urandom tty; do
      [ -e "/dev/$node" ] || continue
      touch "$dev/$node"
      mount --bind "/dev/$node" "$dev/$node"
    done
    for folder in pts shm; do
      [ -d "/dev/$folder" ] || continue
      mkdir "$dev/$folder"
      mount --bind "/dev/$folder" "$dev/$folder"
    done
    # The multiplexer of the pseudo-terminals mounted beside it, as in containers.
    ln -s pts/ptmx "$dev/ptmx"
    ln -s /proc/self/fd "$dev/fd"
    ln -s /proc/self/fd/0 "$dev/stdin"
    ln -s /proc/self/fd/1 "$dev/stdout"
    ln -s /proc/self/fd/2 "$dev/stderr"
    mount --move "$dev" /dev
    rmdir "$dev" 2>/dev/null || true
    trap - ERR
    if [ -n "${HALVEX_WINE_USER:-}" ]; then
      exec setpriv --reuid="${HALVEX_WINE_USER%%:*}" --regid="${HALVEX_WINE_USER##*:}" \
        --clear-groups bash "$@"
    fi
    exec bash "$@"' wine-sandbox "$self" --dir "$wine_dir" \
      ${loopback:+--loopback "$loopback" --loopback-program "$loopback_program"} -- "$@"
fi

# Inside the namespace: make sure, whatever happened above, that no serial device is in sight.
if compgen -G "/dev/ttyS*" >/dev/null || compgen -G "/dev/ttyUSB*" >/dev/null ||
   compgen -G "/dev/ttyACM*" >/dev/null; then
  die "serial devices are visible in Wine's namespace; refusing to run"
fi

export WINEPREFIX=$wine_dir/prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
ports=$wine_dir/ports
mkdir -p "$ports"

# The prefix is made once; the COM ports are mapped in the registry, which Wine reads at its next
# start, so the server is stopped after the mapping.
make_prefix() {
  [ -f "$WINEPREFIX/halvex-ports-mapped" ] && return 0
  rm -rf "$WINEPREFIX"
  wineboot --init >/dev/null 2>&1 || die "wineboot failed"
  local reg=$wine_dir/ports.reg
  {
    printf 'REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Wine\\Ports]\r\n'
    for n in 1 2 3 4; do
      printf '"COM%s"="%s"\r\n' "$n" "$(printf '%s' "$ports/com$n" | sed 's/\\/\\\\/g')"
    done
  } >"$reg"
  wine regedit /S "Z:$(printf '%s' "$reg" | tr / '\\')" >/dev/null 2>&1 || die "regedit failed"
  wineserver -k || true
  wineserver -w || true
  touch "$WINEPREFIX/halvex-ports-mapped"
}
exec 9>"$wine_dir/lock"
flock 9
make_prefix
# Starts Wine's services once, so that the COM links are made before they are checked.
wine cmd /c exit >/dev/null 2>&1 || true
for link in "$WINEPREFIX"/dosdevices/com*; do
  [ -L "$link" ] || continue
  case $(readlink "$link") in
    "$ports"/com*) ;;
    *) die "$link leads to $(readlink "$link"), not to a test port; refusing to run" ;;
  esac
done
flock -u 9

loopback_pid=""
stop_loopback() {
  [ -n "$loopback_pid" ] || return 0
  kill "$loopback_pid" 2>/dev/null || true
  wait "$loopback_pid" 2>/dev/null || true
  loopback_pid=""
}
if [ -n "$loopback" ]; then
  link=$ports/$(printf '%s' "$loopback" | tr 'A-Z' 'a-z')
  "$loopback_program" "$link" >/dev/null &
  loopback_pid=$!
  trap stop_loopback EXIT
  for _ in $(seq 100); do [ -L "$link" ] && break; sleep 0.05; done
  [ -L "$link" ] || die "the loopback on $loopback did not start"
  export HALVEX_LOOPBACK_PORT=$loopback
fi

status=0
wine "$@" || status=$?
stop_loopback
exit $status
