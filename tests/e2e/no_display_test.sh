#!/bin/sh
# Without a display, quillo says in one line what to do and fails, instead of
# Qt's own abort.
QUILLO=$1
err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 10 "$QUILLO" 2>&1 >/dev/null)
rc=$?
fails=0
[ "$rc" -ne 0 ] && [ "$rc" -ne 124 ] || { echo "FAIL: exit status $rc"; fails=1; }
[ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] || { echo "FAIL: not one line:"; printf '%s\n' "$err"; fails=1; }
case "$err" in
  *"xvfb-run make run"*) ;;
  *) echo "FAIL: no hint in: $err"; fails=1 ;;
esac
[ "$fails" -eq 0 ] && echo "quillo without a display: $err"
exit "$fails"
