#!/bin/sh
# Runs a command with an X display for Wine's windows: the one in DISPLAY
# when it answers, else a private Xvfb started here and stopped afterwards.
#
#   with_display.sh COMMAND [ARGUMENT]...
set -eu
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$@"
fi
tmp=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null || true; wait "$xvfb" 2>/dev/null || true; rm -rf "$tmp"' EXIT
# Xvfb picks a free display number and writes it to fd 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$tmp/display" 2>"$tmp/log" &
xvfb=$!
for _ in $(seq 50); do
  [ -s "$tmp/display" ] && break
  sleep 0.1
done
if [ ! -s "$tmp/display" ]; then
  echo "with_display.sh: Xvfb did not start" >&2
  cat "$tmp/log" >&2
  exit 1
fi
DISPLAY=:$(cat "$tmp/display")
export DISPLAY
status=0
"$@" || status=$?
exit $status
