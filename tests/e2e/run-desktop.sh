#!/usr/bin/env bash
# Runs one command on a private test desktop: Xvfb, a session bus and a window manager of its own, with
# private XDG folders; everything it started is stopped by pid when the command ends.
#
#   run-desktop.sh COMMAND [ARGUMENTS...]   exits with the command's exit code
set -euo pipefail

if [ $# -eq 0 ]; then
  echo "usage: run-desktop.sh COMMAND [ARGUMENTS...]" >&2
  exit 2
fi

scratch="$(mktemp -d "${TMPDIR:-/tmp}/velmora-desktop.XXXXXX")"
xvfb_pid=""
bus_pid=""
wm_pid=""

stop_desktop() {
  local pid
  for pid in "$wm_pid" "$bus_pid" "$xvfb_pid"; do
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  done
  for pid in "$wm_pid" "$xvfb_pid"; do
    [ -n "$pid" ] && wait "$pid" 2>/dev/null || true
  done
  rm -rf "$scratch"
}
trap stop_desktop EXIT

# Xvfb picks a free display number and writes it to descriptor 3 once it accepts clients. -noreset: by
# default the server resets when its last client leaves, and a client connecting during the reset (the
# window manager right after our first probe) is refused.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$scratch/display" >"$scratch/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 100); do
  [ -s "$scratch/display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || { cat "$scratch/xvfb.log" >&2; echo "run-desktop: Xvfb did not start" >&2; exit 1; }
  sleep 0.1
done
[ -s "$scratch/display" ] || { echo "run-desktop: Xvfb gave no display number" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$scratch/display")"

# A bus of our own: without one, D-Bus clients would autolaunch a stray bus.
bus_info="$(dbus-daemon --session --fork --print-address=1 --print-pid=1)"
export DBUS_SESSION_BUS_ADDRESS="$(sed -n 1p <<<"$bus_info")"
bus_pid="$(sed -n 2p <<<"$bus_info")"

mkdir -m 0700 "$scratch/runtime"
mkdir -p "$scratch/config" "$scratch/data"
export XDG_RUNTIME_DIR="$scratch/runtime"
export XDG_CONFIG_HOME="$scratch/config"
export XDG_DATA_HOME="$scratch/data"
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY

matchbox-window-manager -use_titlebar no >"$scratch/wm.log" 2>&1 &
wm_pid=$!
for _ in $(seq 1 100); do
  xprop -root _NET_SUPPORTED 2>/dev/null | grep -q _NET_ACTIVE_WINDOW && break
  sleep 0.1
done
xprop -root _NET_SUPPORTED 2>/dev/null | grep -q _NET_ACTIVE_WINDOW ||
  { cat "$scratch/wm.log" "$scratch/xvfb.log" >&2; echo "run-desktop: the window manager did not come up on $DISPLAY" >&2; exit 1; }

export VELMORA_DESKTOP_SCRATCH="$scratch"
status=0
"$@" || status=$?
exit "$status"
