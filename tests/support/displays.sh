# What the test and bench scripts share, sourced (". DIR/tests/support/displays.sh"):
#   displays_init test|bench NAME   a private $displays_dir; clean-up at exit
#   need TOOL...                    each tool is on PATH
#   start_xvfb [WxHxD] [OPTION...]  a private X server (1280x800x24), DISPLAY exported
#   start_weston                    weston on it (below)
#   with_accessibility_bus COMMAND  COMMAND on a session bus with the accessibility bus
#   at_exit COMMAND                 run at exit before the servers stop, last added first
#   wait_until SECONDS COMMAND...   COMMAND every 0.1 s until it succeeds
#   fail MESSAGE                    "FAIL: MESSAGE", counted in $fails
#   check NAME EXPECTED ACTUAL      a failure when they differ, with both
# At exit, also when ended by a signal, the servers stop and the directory
# goes. A missing tool or a server that does not start ends the script: a
# test with "FAIL: ..." and status 1, a bench script with "NAME: ..." on
# standard error and status 2.

displays_init() {  # test|bench NAME
  displays_kind=$1 displays_name=$2
  displays_dir=$(mktemp -d) || exit 2
  chmod 700 "$displays_dir"
  displays_at_exit= displays_xvfb= displays_weston=
  trap displays_stop EXIT
  trap 'exit 130' HUP INT TERM PIPE
}

displays_fail() {  # MESSAGE
  [ "$displays_kind" = bench ] && { echo "$displays_name: $*" >&2; exit 2; }
  echo "FAIL: $*"
  exit 1
}

need() {  # TOOL...
  for tool; do
    command -v "$tool" >/dev/null || displays_fail "$tool is missing (scripts/install-deps $displays_kind installs it)"
  done
}

at_exit() {  # COMMAND
  displays_at_exit="$1
$displays_at_exit"
}

wait_until() {  # SECONDS COMMAND...
  tries=$(($1 * 10))
  shift
  until "$@"; do
    [ "$((tries -= 1))" -ge 0 ] || return 1
    sleep 0.1
  done
}

fails=0
fail() { printf 'FAIL: %s\n' "$*"; fails=$((fails + 1)); }
check() {  # NAME EXPECTED ACTUAL
  [ "$2" = "$3" ] || fail "$(printf '%s\n--- expected\n%s\n--- got\n%s' "$1" "$2" "$3")"
}

start_xvfb() {  # [WxHxD] [OPTION...]
  need Xvfb
  screen=1280x800x24
  case ${1:-} in [0-9]*x[0-9]*x[0-9]*) screen=$1; shift ;; esac
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp "$@" \
    3>"$displays_dir/display" 2>"$displays_dir/xvfb.log" &
  displays_xvfb=$!
  wait_until 10 test -s "$displays_dir/display" ||
    { cat "$displays_dir/xvfb.log" >&2; displays_fail "Xvfb did not start"; }
  DISPLAY=:$(cat "$displays_dir/display")
  export DISPLAY
}

# weston's X11 backend gives it a seat, so that windows get the focus and
# xdotool types into them (Debian's weston 10 has none headless). One flat
# colour ($weston_colour), no panel, no animations: screenshots show only the
# windows; the debug protocol is on for weston-screenshooter. weston's own
# pointer stays in its top left corner, in every screenshot: it does not
# follow the X pointer (put into the last pixel all the same). Its
# XDG_RUNTIME_DIR: $weston_runtime, its socket: $weston_socket.
start_weston() {
  need weston xdotool
  weston_colour=336699 weston_runtime=$displays_dir/runtime weston_socket=quillo-weston
  cat >"$displays_dir/weston.ini" <<INI
[core]
require-input=false
[shell]
background-color=0xff$weston_colour
panel-position=none
locking=false
animation=none
close-animation=none
startup-animation=none
focus-animation=none
INI
  mkdir -m 700 "$weston_runtime"
  XDG_RUNTIME_DIR=$weston_runtime weston --backend=x11-backend.so --use-pixman \
    --width=1024 --height=768 --socket="$weston_socket" --idle-time=0 --debug \
    --config="$displays_dir/weston.ini" --log="$displays_dir/weston.log" &
  displays_weston=$!
  wait_until 10 test -S "$weston_runtime/$weston_socket" ||
    { cat "$displays_dir/weston.log"; displays_fail "weston did not start"; }
  xdotool mousemove 1023 767
}

# As under a screen reader, with the bus launcher's settings in memory. The X
# server needs -noreset: the launcher connects and leaves before the program
# comes. COMMAND writes the bus processes' ids into $displays_dir/pids: those
# that outlive their bus are ended at exit.
with_accessibility_bus() {  # COMMAND...
  need dbus-run-session
  [ -x /usr/libexec/at-spi-bus-launcher ] ||
    displays_fail "at-spi2-core is missing (scripts/install-deps $displays_kind installs it)"
  env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u DBUS_SESSION_BUS_ADDRESS -u AT_SPI_BUS_ADDRESS \
    XDG_RUNTIME_DIR="$displays_dir" GSETTINGS_BACKEND=memory QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
    dbus-run-session -- "$@"
}

displays_ended() { ! kill -0 "$1" 2>/dev/null || grep -qs '^[^)]*) Z' "/proc/$1/stat"; }

displays_stop() {
  eval "$displays_at_exit"
  for pid in $(cat "$displays_dir/pids" 2>/dev/null); do
    wait_until 3 displays_ended "$pid" || { echo "note: ending bus process $pid, left running"; kill "$pid"; }
  done
  for pid in $displays_weston $displays_xvfb; do
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  rm -rf "$displays_dir"
}
