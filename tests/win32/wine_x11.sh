# Windows programs of the cross build under Wine on a private Xvfb, for the
# end-to-end test and the start-up bench. Sourced, after setting
# $quillo_source (the source tree):
#   wine_x11_init test|bench NAME WINE-RUN PREFIX   Xvfb up, DISPLAY exported,
#                                   the prefix made; all ended at exit
#   wine_x11_dpi DPI               the prefix's screen DPI (96: 100 %)
#   wine_x11_start PROGRAM.exe [ARG...]   started in the background
#   wine_x11_window SECONDS TITLE  waits for the visible window TITLE (a
#                                  whole title), its id in $window
#   wine_x11_stop                  ends every program of the prefix
# and from tests/support/displays.sh: wait_until, fail, at_exit.
#
# The prefix is the caller's own: Wine's desktop process, which owns the
# clipboard and the windows' X connection, must be one started on this
# display, and DPI settings must not reach other tests.
# shellcheck disable=SC2154  # quillo_source: set by the sourcing script

. "$quillo_source/tests/support/displays.sh"

wine_x11_init() {  # test|bench NAME WINE-RUN PREFIX
  displays_init "$1" "$2"
  # Wine takes only an absolute prefix.
  mkdir -p "$4" && wine_run=$3 wine_prefix=$(cd "$4" && pwd) || exit 2
  need wine wineserver xdotool
  unset WAYLAND_DISPLAY
  start_xvfb
  # Wine's desktop process stays for a few seconds after the last program:
  # ended before the X server goes.
  at_exit 'wine_x11_stop'
  # The first use makes the prefix (wineboot, 10 to 60 s).
  "$wine_run" "$wine_prefix" cmd /c exit 0 </dev/null >/dev/null 2>&1 ||
    displays_fail "no Wine prefix in $wine_prefix (see $wine_prefix.log)"
}

wine_x11_stop() {
  WINEPREFIX=$wine_prefix wineserver -k 2>/dev/null
  WINEPREFIX=$wine_prefix wineserver -w 2>/dev/null
  return 0
}

wine_x11_dpi() {  # DPI
  "$wine_run" "$wine_prefix" reg add 'HKCU\Control Panel\Desktop' /v LogPixels \
    /t REG_DWORD /d "$1" /f </dev/null >/dev/null 2>&1 ||
    displays_fail "could not set the prefix's DPI to $1"
  wine_x11_stop
}

wine_x11_start() {  # PROGRAM.exe [ARG...]
  "$wine_run" "$wine_prefix" "$@" </dev/null >>"$displays_dir/wine.log" 2>&1 &
}

wine_x11_visible() {  # TITLE
  window=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
  [ -n "$window" ]
}

wine_x11_window() {  # SECONDS TITLE
  wait_until "$1" wine_x11_visible "$2"
}
