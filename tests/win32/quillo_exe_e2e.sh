#!/bin/sh
# quillo.exe itself under Wine on a private Xvfb, driven as a user drives it
# (xdotool) and read back through the clipboard (xclip, which Wine's own
# clipboard feeds): Enter on the worked example shows the result and its
# history entry, a double-click on the result copies it trimmed, "1/0" brings
# up the error box and Enter closes it; at 200 % the window is twice the
# size. With QUILLO_SCREENSHOTS=DIR, the screen at 100 % (after the worked
# example) and at 200 % goes to DIR/quillo-win-100.png and -200.png.
#
#   quillo_exe_e2e.sh WINE-RUN PREFIX QUILLO.EXE
#
# PREFIX is this test's own Wine prefix (made on first use).
set -u
quillo_source=$(cd "$(dirname "$0")/../.." && pwd)
. "$quillo_source/tests/win32/wine_x11.sh"
wine_x11_init test quillo_exe_e2e "$1" "$2"
exe=$3
need xclip python3

title='Quillo-按Enter可计算  作者：Quillo 开发组'
result=7.02393675181428
separator=$(printf '－%.0s' 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17)

clipboard() { xclip -o -selection clipboard 2>/dev/null | tr -d '\r'; }
clipboard_is() { [ "$(clipboard)" = "$1" ]; }
# At a point of the client area, in pixels at 96 DPI.
click() { xdotool mousemove --window "$window" "$1" "$2" click --repeat "${3:-1}" --delay 80 1; }
# Copies the text of the box at that point (select all, copy) until it is
# the one expected: the window may still be busy with the keys before.
copy_until() {  # SECONDS X Y EXPECTED
  wait_until "$1" sh -c "$(cat <<'SH'
xdotool mousemove --window "$0" "$1" "$2" click 1 key ctrl+a ctrl+c
sleep 0.1
[ "$(xclip -o -selection clipboard 2>/dev/null | tr -d '\r')" = "$3" ]
SH
)" "$window" "$2" "$3" "$4"
}
# The window's pixels the same twice, 0.2 s apart: its painting is done.
settled() {
  python3 "$quillo_source/tests/win32/x_screenshot.py" "$displays_dir/a.png" &&
    sleep 0.2 && python3 "$quillo_source/tests/win32/x_screenshot.py" "$displays_dir/b.png" &&
    cmp -s "$displays_dir/a.png" "$displays_dir/b.png"
}
geometry() { xdotool getwindowgeometry --shell "$window" | sed -n 's/^\(WIDTH\|HEIGHT\)=//p' | paste -sd x; }
screenshot() {  # NAME
  [ -n "${QUILLO_SCREENSHOTS:-}" ] || return 0
  python3 "$quillo_source/tests/win32/x_screenshot.py" "$QUILLO_SCREENSHOTS/quillo-win-$1.png"
}

# 100 %: the worked example, the copy, the error box.
wine_x11_dpi 96
wine_x11_start "$exe"
wine_x11_window 60 "$title" || displays_fail "no window titled \"$title\" within 60 s"
[ "$(geometry)" = 485x275 ] || fail "client area at 100 %: $(geometry), not 485x275"

# TB, the formula box, takes the keys from a click (no window manager here).
click 100 30
xdotool key ctrl+a type --delay 20 '2*sin(30)+(1+2)^2'
xdotool key Return
# The result box's whole text is on the clipboard now: the copy on a
# double-click, trimmed, is another text. (Not one put there with xclip:
# Wine takes that into its own clipboard a moment later, over the copy.)
copy_until 20 100 80 " $result" || fail "result box: \"$(clipboard)\", not \" $result\""
click 100 80 2
wait_until 10 clipboard_is "$result" ||
  fail "double-click on the result copied \"$(clipboard)\", not \"$result\""
history="$separator
 $result = 2*sin(30)+(1+2)^2"
copy_until 10 200 200 "$history" || fail "history: \"$(clipboard)\", not \"$history\""
click 100 30
wait_until 10 settled
screenshot 100

xdotool key ctrl+a type '1/0'
xdotool key Return
if wine_x11_window 20 错误提示; then
  # The box has Wine's keyboard focus, whatever X's is.
  xdotool key Return
  wait_until 20 sh -c '! xdotool search --onlyvisible --name "^错误提示\$" >/dev/null' ||
    fail "Enter did not close the error box"
  wine_x11_visible "$title" || fail "the window went with the error box"
  # The history still holds one entry.
  copy_until 10 200 200 "$history" || fail "history after 1/0: \"$(clipboard)\""
else
  fail "no box titled 错误提示 after 1/0"
fi

# 200 %: the same window at twice the size.
wine_x11_stop
wine_x11_dpi 192
wine_x11_start "$exe"
if wine_x11_window 60 "$title"; then
  [ "$(geometry)" = 970x550 ] || fail "client area at 200 %: $(geometry), not 970x550"
  wait_until 10 settled
  screenshot 200
else
  fail "no window at 200 %"
fi
wine_x11_stop
wine_x11_dpi 96

[ "$fails" -eq 0 ] || exit 1
echo "quillo.exe under Wine: result, copy, history, error box, 200 %: all as expected"
