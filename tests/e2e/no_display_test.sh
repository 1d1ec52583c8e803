#!/bin/sh
# Without a display, quillo says in one line what to do and fails, instead of
# Qt's own abort. An installed quillo names itself; `make run` sets its own
# command in QUILLO_DISPLAY_HINT.
QUILLO=$1
fails=0
check() {  # QUILLO_DISPLAY_HINT (empty: unset) EXPECTED-HINT
  err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM QUILLO_DISPLAY_HINT="$1" \
        timeout 10 "$QUILLO" 2>&1 >/dev/null)
  rc=$?
  [ "$rc" -ne 0 ] && [ "$rc" -ne 124 ] || { echo "FAIL: exit status $rc"; fails=1; }
  [ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] || { echo "FAIL: not one line:"; printf '%s\n' "$err"; fails=1; }
  case "$err" in
    *"try: $2") echo "quillo without a display: $err" ;;
    *) echo "FAIL: no hint \"$2\" in: $err"; fails=1 ;;
  esac
}
check "" "xvfb-run quillo"
check "xvfb-run make run" "xvfb-run make run"
exit "$fails"
