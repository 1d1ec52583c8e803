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

. "$HERE/../support/displays.sh"
displays_init test quillo_accessibility
need xdotool
"$PYTHON" -c 'import pyatspi' 2>/dev/null || displays_fail "python3-pyatspi is missing (scripts/install-deps test installs it)"
start_xvfb -noreset
dir=$displays_dir

# The stand-in browser: Qt hands web addresses to xdg-open.
mkdir "$dir/bin"
cat >"$dir/bin/xdg-open" <<EOS
#!/bin/sh
printf '%s\n' "\$@" >>"$dir/opened"
EOS
chmod +x "$dir/bin/xdg-open"
export PATH="$dir/bin:$PATH"

with_accessibility_bus timeout 75 "$PYTHON" "$HERE/accessibility_client.py" \
  "$QUILLO" "$dir" >"$dir/client.log" 2>&1
rc=$?
if [ "$rc" -eq 0 ]; then
  grep -v -e '^dbus-daemon' -e '^SpiRegistry' "$dir/client.log"
else
  cat "$dir/client.log"
  [ "$rc" -eq 124 ] && echo "FAIL: timed out"
fi
exit "$rc"
