#!/bin/sh
# The real program as a native Wayland client (run through in_weston.sh): its
# app_id is its desktop entry's id, so that docks find the entry (icon, name,
# pinned launcher), and its window asks for one fixed size. Then a bad formula
# typed into it (xdotool, through weston's window) brings up the error box as
# a window of its own over the calculator, and Enter closes it again.
#
#   quillo_wayland_e2e.sh QUILLO DESKTOP_ENTRY
set -u
. "$(dirname "$0")/../support/displays.sh"
quillo=$1
id=$(basename "$2" .desktop)
log=$(mktemp)
WAYLAND_DEBUG=client DBUS_SESSION_BUS_ADDRESS=disabled: "$quillo" 2>"$log" &
pid=$!
trap 'kill $pid 2>/dev/null; wait $pid 2>/dev/null; rm -f "$log"' EXIT
wait_until 15 grep -q 'xdg_toplevel@[0-9]*\.set_app_id(' "$log"
request() { sed -n "s/.*-> xdg_toplevel@[0-9]*\.$1(\(.*\))\$/\1/p" "$log" | tail -n 1; }
app_id=$(request set_app_id)
[ "$app_id" = "\"$id\"" ] || fail "app_id is '$app_id', the desktop entry is $id"
min=$(request set_min_size)
max=$(request set_max_size)
[ -n "$min" ] && [ "$min" = "$max" ] || fail "not one fixed size: min ($min), max ($max)"
title=$(request set_title)
case "$title" in '"Quillo-按Enter可计算  '*) ;; *) fail "title $title" ;; esac
wait_for() { wait_until 10 grep -q -e "$1" "$log"; }  # pattern: in the protocol log
if wait_for 'wl_keyboard@[0-9]*\.enter('; then
  DISPLAY=$WESTON_X_DISPLAY xdotool type --delay 50 '1+'
  DISPLAY=$WESTON_X_DISPLAY xdotool key Return
  if wait_for '-> xdg_toplevel@[0-9]*\.set_title("错误提示")'; then
    box=$(sed -n 's/.*-> \(xdg_toplevel@[0-9]*\)\.set_title("错误提示").*/\1/p' "$log" | tail -n 1)
    grep -q -- "-> $box\.set_parent(xdg_toplevel@" "$log" || fail "the error box has no parent window"
    DISPLAY=$WESTON_X_DISPLAY xdotool key Return
    wait_for "-> $box\.destroy()" || fail "Enter did not close the error box"
  else
    fail "no error box after typing 1+ and Enter"
  fi
else
  fail "the window never got the keyboard"
fi
[ "$fails" -eq 0 ] && echo "on Wayland: app_id $app_id, fixed size ($min), title $title; error box $box came and went"
exit "$fails"
