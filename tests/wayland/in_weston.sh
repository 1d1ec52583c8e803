#!/bin/sh
# Runs a command as a native Wayland client of a private weston on a private
# Xvfb (tests/support/displays.sh), and stops both afterwards.
#
#   in_weston.sh COMMAND [ARG...]
#
# The command runs with WAYLAND_DISPLAY and XDG_RUNTIME_DIR of that weston,
# QT_QPA_PLATFORM=wayland and no DISPLAY (nothing can fall back to X11);
# WESTON_X_DISPLAY names the X display of weston's own window, for xdotool;
# WESTON_DESKTOP_COLOUR is the desktop's one colour.
set -u
. "$(dirname "$0")/../support/displays.sh"
displays_init test in_weston
start_xvfb 1024x768x24
start_weston

# In the background, so that a signal ends it with the servers at once.
child=
at_exit '[ -n "$child" ] && kill "$child" 2>/dev/null'
env -u DISPLAY XDG_RUNTIME_DIR="$weston_runtime" WAYLAND_DISPLAY="$weston_socket" \
  QT_QPA_PLATFORM=wayland WESTON_X_DISPLAY="$DISPLAY" WESTON_DESKTOP_COLOUR="#$weston_colour" "$@" &
child=$!
wait "$child"
rc=$?
child=
[ "$rc" -eq 0 ] || { echo "weston's log:"; tail -n 20 "$displays_dir/weston.log"; }
exit "$rc"
