#!/bin/sh
# The real program as a native Wayland client (run through in_weston.sh): its
# app_id is its desktop entry's id, so that docks find the entry (icon, name,
# pinned launcher), and its window asks for one fixed size.
#
#   app_id_test.sh QUILLO DESKTOP_ENTRY
set -u
quillo=$1
id=$(basename "$2" .desktop)
log=$(mktemp)
WAYLAND_DEBUG=client DBUS_SESSION_BUS_ADDRESS=disabled: "$quillo" 2>"$log" &
pid=$!
trap 'kill $pid 2>/dev/null; wait $pid 2>/dev/null; rm -f "$log"' EXIT
i=0
while ! grep -q 'xdg_toplevel@[0-9]*\.set_app_id(' "$log" && [ "$i" -lt 150 ]; do
  sleep 0.1; i=$((i + 1))
done
request() { sed -n "s/.*-> xdg_toplevel@[0-9]*\.$1(\(.*\))\$/\1/p" "$log" | tail -n 1; }
fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }
app_id=$(request set_app_id)
[ "$app_id" = "\"$id\"" ] || fail "app_id is '$app_id', the desktop entry is $id"
min=$(request set_min_size)
max=$(request set_max_size)
[ -n "$min" ] && [ "$min" = "$max" ] || fail "not one fixed size: min ($min), max ($max)"
title=$(request set_title)
case "$title" in '"Quillo-按Enter可计算  '*) ;; *) fail "title $title" ;; esac
[ "$fails" -eq 0 ] && echo "on Wayland: app_id $app_id, fixed size ($min), title $title"
exit "$fails"
