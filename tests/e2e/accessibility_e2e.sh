#!/bin/sh
# The real quillo over a real accessibility bus: a private X server, a private
# session bus on which at-spi2-core's bus launcher starts the accessibility
# bus, and a client through pyatspi (accessibility_client.py). A stand-in
# browser records what the shop link opens.
#
#   accessibility_e2e.sh QUILLO
set -u
QUILLO=$1
HERE=$(dirname "$0")
PYTHON=/usr/bin/python3  # Debian's, which has pyatspi

for tool in Xvfb xdotool dbus-run-session; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/install-deps test installs it)"; exit 1; }
done
"$PYTHON" -c 'import pyatspi' 2>/dev/null || { echo "FAIL: python3-pyatspi is missing (scripts/install-deps test installs it)"; exit 1; }
[ -x /usr/libexec/at-spi-bus-launcher ] || { echo "FAIL: at-spi2-core is missing (scripts/install-deps test installs it)"; exit 1; }

dir=$(mktemp -d)
chmod 700 "$dir"
# -noreset: the bus launcher connects to the display and leaves before quillo
# comes; a server that resets when its last client leaves would refuse
# quillo for that moment.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$dir/display" 2>"$dir/xvfb.log" &
xvfb=$!
i=0
while [ ! -s "$dir/display" ] && [ "$i" -lt 100 ]; do sleep 0.1; i=$((i + 1)); done

# Every process this run started must be gone at the end: bus processes that
# outlive their bus are ended here.
ended() { ! kill -0 "$1" 2>/dev/null || grep -qs '^[^)]*) Z' "/proc/$1/stat"; }
cleanup() {
  for pid in $(cat "$dir/pids" 2>/dev/null); do
    i=0
    while ! ended "$pid" && [ "$i" -lt 30 ]; do sleep 0.1; i=$((i + 1)); done
    ended "$pid" || { echo "note: ending bus process $pid, left running"; kill "$pid" 2>/dev/null; }
  done
  kill "$xvfb" 2>/dev/null
  wait "$xvfb" 2>/dev/null
  rm -rf "$dir"
}
if [ ! -s "$dir/display" ]; then
  echo "FAIL: Xvfb did not start"; cat "$dir/xvfb.log"; cleanup; exit 1
fi

# The stand-in browser: Qt hands web addresses to xdg-open.
mkdir "$dir/bin"
cat >"$dir/bin/xdg-open" <<EOS
#!/bin/sh
printf '%s\n' "\$@" >>"$dir/opened"
EOS
chmod +x "$dir/bin/xdg-open"

# Qt joins the accessibility bus as it does under a screen reader; the bus
# launcher keeps its settings in memory, not in the user's.
env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u DBUS_SESSION_BUS_ADDRESS -u AT_SPI_BUS_ADDRESS \
  DISPLAY=":$(cat "$dir/display")" PATH="$dir/bin:$PATH" XDG_RUNTIME_DIR="$dir" \
  GSETTINGS_BACKEND=memory QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
  timeout 75 dbus-run-session -- "$PYTHON" "$HERE/accessibility_client.py" "$QUILLO" "$dir" \
  >"$dir/client.log" 2>&1
rc=$?
if [ "$rc" -eq 0 ]; then
  grep -v -e '^dbus-daemon' -e '^SpiRegistry' "$dir/client.log"
else
  cat "$dir/client.log"
  [ "$rc" -eq 124 ] && echo "FAIL: timed out"
fi
cleanup
exit "$rc"
