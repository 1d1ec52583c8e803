#!/bin/sh
# End to end: the real quillo on a virtual X server, typed into by xdotool and
# read back through the clipboard with xclip.
#
#   quillo_e2e.sh QUILLO SCREEN_GRAB [SCREENSHOT.png]
set -u
QUILLO=$1
GRAB=$2
SHOT=${3:-}

. "$(dirname "$0")/../support/displays.sh"
displays_init test quillo_e2e
need xdotool xclip
start_xvfb

unset QT_QPA_PLATFORM WAYLAND_DISPLAY
export DBUS_SESSION_BUS_ADDRESS=disabled:  # no session bus: no delay, no leak report
# Numbers must not follow a comma-decimal locale.
if locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then export LC_ALL=de_DE.UTF-8; fi

# The window draws in its own look: a desktop's style override (Adwaita's
# palette alone costs more than the rest of the start-up) must not be loaded
# (tests/window/desktop_style_test.cpp checks that it is put back).
styles=$(qtpaths6 --query QT_INSTALL_PLUGINS 2>/dev/null)/styles
override=
if ls "$styles"/*adwaita* >/dev/null 2>&1; then override=adwaita; fi

log=$displays_dir/quillo.log
if [ -n "$override" ]; then QT_STYLE_OVERRIDE=$override "$QUILLO" 2>"$log" & else "$QUILLO" 2>"$log" & fi
pid=$!
at_exit 'kill $pid 2>/dev/null; wait $pid 2>/dev/null'

wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quillo-按Enter可计算' | head -n 1)
if [ -z "$wid" ]; then
  echo "FAIL: the window did not appear"; cat "$log"; exit 1
fi
if [ -n "$override" ]; then
  grep -q '/plugins/styles/' "/proc/$pid/maps" && fail "a style plug-in was loaded: $(grep -o '[^ ]*/plugins/styles/[^ ]*' "/proc/$pid/maps" | sort -u)"
else
  echo "note: no Adwaita style plug-in here, the style override is not checked"
fi
eval "$(xdotool getwindowgeometry --shell "$wid")"
[ "$WIDTH" = 485 ] && [ "$HEIGHT" = 275 ] || fail "window is ${WIDTH}x$HEIGHT, not 485x275"

# Points inside the controls, relative to the window.
click() {  # x y [repeat]
  xdotool mousemove --window "$wid" "$1" "$2" click --repeat "${3:-1}" --delay 80 1
  sleep 0.2
}
focus_window() { xdotool windowfocus --sync "$wid"; }
# The clipboard is read while the program runs: Xvfb has no clipboard manager.
clipboard_holds() { [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$1" ]; }
clipboard_is() {  # expected what
  wait_until 5 clipboard_holds "$1" ||
    fail "$2: clipboard holds '$(xclip -o -selection clipboard 2>/dev/null)', expected '$1'"
}
formula() { click 100 30; xdotool key ctrl+a; xdotool type --delay 50 "$1"; }

focus_window
xdotool type --delay 50 '2*sin(30)+(1+2)^2'
xdotool key Return
click 100 80 2  # double-click on the result box
clipboard_is '7.02393675181428' "result copied"

# The history box holds the calculation under its separator.
click 100 150
xdotool key ctrl+a ctrl+c
clipboard_is "－－－－－－－－－－－－－－－－－
 7.02393675181428 = 2*sin(30)+(1+2)^2" "history"

# Full-width characters, typed as the user types them.
formula '（1＋2）＊3'
xdotool key Return
click 100 80 2
clipboard_is '9' "full-width formula"

# A bad formula: the error box comes up, is closed, and the formula stays,
# selected; the result box keeps the last result.
formula '1+'
xdotool key Return
box=$(timeout 10 xdotool search --sync --onlyvisible --name '^错误提示$' | head -n 1)
if [ -z "$box" ]; then
  fail "no window titled 错误提示"
else
  [ "$(xdotool getwindowname "$box")" = "错误提示" ] || fail "error box title"
  [ -n "$SHOT" ] && "$GRAB" "${SHOT%.png}-error.png" 2>/dev/null
  xdotool windowfocus --sync "$box" key Return
  no_error_box() { ! xdotool search --onlyvisible --name '^错误提示$' >/dev/null 2>&1; }
  wait_until 5 no_error_box || fail "the error box did not close"
fi
focus_window
xdotool key ctrl+c  # the formula box has the focus with its text selected
clipboard_is '1+' "formula kept after the error"
click 100 80 2
clipboard_is '9' "result kept after the error"

[ -n "$SHOT" ] && { "$GRAB" "$SHOT" 2>/dev/null || fail "screenshot"; }
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null

if [ "$fails" -eq 0 ]; then echo "quillo e2e: all checks passed"; fi
exit "$fails"
