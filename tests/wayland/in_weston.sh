#!/bin/sh
# Runs a command as a native Wayland client of a private weston, and stops
# weston afterwards. weston runs with its X11 backend on a private Xvfb: that
# gives the compositor a seat (keyboard and pointer), so that windows get the
# focus and xdotool can type into them; Debian's weston 10 offers no seat on its
# headless backend. weston's debug protocol is on, for weston-screenshooter.
#
#   in_weston.sh COMMAND [ARG...]
#
# The command runs with WAYLAND_DISPLAY and XDG_RUNTIME_DIR of that weston,
# QT_QPA_PLATFORM=wayland and no DISPLAY (nothing can fall back to X11);
# WESTON_X_DISPLAY names the X display of weston's own window, for xdotool;
# WESTON_DESKTOP_COLOUR is the desktop's one colour.
set -u
for tool in Xvfb weston xdotool; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/install-deps test installs it)"; exit 1; }
done

dir=$(mktemp -d)
chmod 700 "$dir"
xvfb=
weston=
stop() {
  [ -n "$weston" ] && { kill "$weston" 2>/dev/null; wait "$weston" 2>/dev/null; }
  [ -n "$xvfb" ] && { kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; }
  rm -rf "$dir"
}
child=
trap stop EXIT
# Ended from outside (a test runner's time-out, a closed pipe): the command
# and the servers go too.
trap '[ -n "$child" ] && kill "$child" 2>/dev/null; exit 130' HUP INT TERM PIPE

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$dir/display" 2>"$dir/xvfb.log" &
xvfb=$!
i=0
while [ ! -s "$dir/display" ] && [ "$i" -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
[ -s "$dir/display" ] || { echo "FAIL: Xvfb did not start"; cat "$dir/xvfb.log"; exit 1; }
x_display=:$(cat "$dir/display")

# A plain desktop: one flat colour, no panel, no animations, so that
# screenshots show the windows and nothing that moves.
colour=336699
cat >"$dir/weston.ini" <<INI
[core]
require-input=false
[shell]
background-color=0xff$colour
panel-position=none
locking=false
animation=none
close-animation=none
startup-animation=none
focus-animation=none
INI
mkdir -m 700 "$dir/runtime"
DISPLAY=$x_display XDG_RUNTIME_DIR=$dir/runtime \
  weston --backend=x11-backend.so --use-pixman --width=1024 --height=768 \
  --socket=quillo-weston --idle-time=0 --debug --config="$dir/weston.ini" \
  --log="$dir/weston.log" &
weston=$!
i=0
while [ ! -S "$dir/runtime/quillo-weston" ] && [ "$i" -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
[ -S "$dir/runtime/quillo-weston" ] || { echo "FAIL: weston did not start"; cat "$dir/weston.log"; exit 1; }
# weston's pointer into its last pixel, where it hides no window in screenshots.
DISPLAY=$x_display xdotool mousemove 1023 767

# In the background, so that a signal reaches the traps above at once.
env -u DISPLAY XDG_RUNTIME_DIR="$dir/runtime" WAYLAND_DISPLAY=quillo-weston \
  QT_QPA_PLATFORM=wayland WESTON_X_DISPLAY="$x_display" WESTON_DESKTOP_COLOUR="#$colour" "$@" &
child=$!
wait "$child"
rc=$?
child=
[ "$rc" -eq 0 ] || { echo "weston's log:"; tail -n 20 "$dir/weston.log"; }
exit "$rc"
