# Sourced by the trial scripts: arguments, background processes, cleanup.
# usage inside a script:  . "$(dirname "$0")/lib.sh" "$@"
set -u
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
PY=/usr/bin/python3            # Debian's python, which has pyatspi and dbus
PROG=$(readlink -f "${1:?usage: $0 PROGRAM OUTDIR}")
OUT=${2:?usage: $0 PROGRAM OUTDIR}
mkdir -p "$OUT" && OUT=$(cd "$OUT" && pwd)
[ -x "$PROG" ] || { echo "no program at $PROG"; exit 2; }
: > "$OUT/report.txt"
PGIDS=()
export XDG_RUNTIME_DIR="$OUT/run"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
export XDG_CONFIG_HOME="$OUT/config" XDG_CACHE_HOME="$OUT/cache" XDG_DATA_HOME="$OUT/data"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_DATA_HOME"
unset WAYLAND_DISPLAY QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE QT_SCALE_FACTOR 2>/dev/null

say() { echo "$*" | tee -a "$OUT/report.txt"; }

# start LOG CMD...: in the background, niced, in a process group of its own
start() {
    local log=$1; shift
    setsid nice -n 10 "$@" >"$log" 2>&1 < /dev/null &
    PGIDS+=($!)
}

# wait_for SECONDS CMD...: until CMD succeeds; 1 on timeout
wait_for() {
    local n=$(( $1 * 5 )); shift
    while (( n-- > 0 )); do "$@" >/dev/null 2>&1 && return 0; sleep 0.2; done
    return 1
}

cleanup() {
    local rc=$?
    trap "" TERM INT
    local i
    for (( i=${#PGIDS[@]}-1; i>=0; i-- )); do kill -TERM -- "-${PGIDS[i]}" 2>/dev/null; done
    sleep 1
    for i in "${PGIDS[@]}"; do kill -KILL -- "-$i" 2>/dev/null; done
    # D-Bus-activated helpers (AT-SPI bus, registry, dconf) leave their group; find ours by our runtime folder
    for i in $(pgrep -f -- "$OUT/.*run/" 2>/dev/null; for p in $(pgrep -x at-spi-bus-laun; pgrep -x at-spi2-registr; pgrep -x dconf-service); do
                 tr '\0' '\n' < /proc/$p/environ 2>/dev/null | grep -q "^XDG_RUNTIME_DIR=$OUT/" && echo $p; done); do
        kill -TERM "$i" 2>/dev/null
    done
    return $rc
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# xvfb NUM [WxHxD]: a virtual X server on :NUM
xvfb() {
    export DISPLAY=":$1"
    rm -f "/tmp/.X$1-lock"
    start "$OUT/xvfb.log" Xvfb ":$1" -screen 0 "${2:-1024x768x24}" -nolisten tcp
    wait_for 10 xdpyinfo || { say "Xvfb :$1 did not start"; exit 1; }
}

# runtime DIR: a fresh XDG_RUNTIME_DIR (for the buses and Wayland sockets of one sub-trial)
runtime() {
    export XDG_RUNTIME_DIR="$1"
    mkdir -p "$1" && chmod 700 "$1"
}

# session_bus: a private D-Bus session bus (what dbus-run-session gives)
session_bus() {
    local addr="unix:path=$XDG_RUNTIME_DIR/bus"
    start "$OUT/dbus.log" dbus-daemon --session --nofork --address="$addr"
    export DBUS_SESSION_BUS_ADDRESS="$addr"
    wait_for 10 test -S "$XDG_RUNTIME_DIR/bus" || { say "no session bus"; exit 1; }
}

# system_bus: a private bus standing in for the system bus (GNOME Shell will not start without one)
system_bus() {
    local addr="unix:path=$XDG_RUNTIME_DIR/system_bus"
    start "$OUT/system-bus.log" dbus-daemon --session --nofork --address="$addr"
    export DBUS_SYSTEM_BUS_ADDRESS="$addr"
    wait_for 10 test -S "$XDG_RUNTIME_DIR/system_bus"
}

# is_wm: an EWMH window manager runs on $DISPLAY
is_wm() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }
