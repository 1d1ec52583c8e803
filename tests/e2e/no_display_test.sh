#!/bin/sh
# Without a display, quillo says in one line what to do and fails, instead of
# Qt's own abort. An installed quillo names itself; `make run` sets its own
# command in QUILLO_DISPLAY_HINT. Its own options need no display; Qt's are
# passed on to Qt.
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

# The command line, without a display: ARGUMENTS | exit status | the output's
# first line (a shell pattern) | the error output's lines ("-": not counted).
# Status 124: still running after 3 s (Qt took -platform: the window opened
# off screen). Status 1 with the display
# hint: the arguments were accepted.
hint="Try 'quillo --help' for more information."
while IFS='|' read -r args status out errs; do
  [ -n "$args" ] || continue
  out_file=$(mktemp) err_file=$(mktemp)
  # shellcheck disable=SC2086 # the arguments split on blanks
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 3 "$QUILLO" $args \
    >"$out_file" 2>"$err_file"
  rc=$?
  first=$(head -n 1 "$out_file")
  lines=$(wc -l <"$err_file")
  problem=""
  [ "$rc" -eq "$status" ] || problem="exit status $rc, not $status"
  # shellcheck disable=SC2254 # the expected line is a pattern
  case "$first" in $out) ;; *) problem="$problem; output \"$first\"" ;; esac
  [ "$errs" = - ] || [ "$lines" -eq "$errs" ] || problem="$problem; $lines error lines, not $errs"
  if [ "$errs" = 2 ] && [ "$(tail -n 1 "$err_file")" != "$hint" ]; then
    problem="$problem; no hint"
  fi
  if [ -n "$problem" ]; then
    echo "FAIL: quillo $args: $problem"; cat "$out_file" "$err_file"; fails=1
  else
    echo "quillo $args: $rc $(head -n 1 "$err_file")"
  fi
  rm -f "$out_file" "$err_file"
done <<'TABLE'
--help|0|Usage: quillo *|0
-h|0|Usage: quillo *|0
--version|0|quillo 0.1.0|0
-V|0|quillo 0.1.0|0
-reverse --version|0|quillo 0.1.0|0
-x|2||2
--frobnicate|2||2
-help|2||2
sum.txt|2||2
-style|2||2
-qwindowtitle --help|1||1
-style Fusion --style=Windows -reverse -qwindowgeometry 485x275+0+0 -name quillo|1||1
-platform offscreen -qwindowtitle Q|124||-
--platform offscreen -stylesheet /dev/null|124||-
TABLE
exit "$fails"
