#!/bin/sh
# A long formula pasted into the calculator as a user would, under a private
# Xvfb: "1+1+…+1" of each given length goes on the clipboard (xclip), Ctrl+V
# pastes it into the formula box and Enter evaluates it (xdotool). Each action
# is timed from the key to the moment the program's CPU time (utime + stime
# from /proc/PID/stat) stopped growing, i.e. until the window is idle again.
# A fresh program for each length, so every paste starts from empty boxes.
#
#   bench/long-formula-time.sh QUILLO [LENGTH...]
#     (default lengths: 31999 99999 199999 399999 1999999)
#
# LONG_FORMULA_LIMIT (seconds, default 60): an action still busy after that
# is reported as "busy>LIMIT" and the program is ended.
set -u
quillo=${1:?usage: $0 QUILLO [LENGTH...]}
shift
[ $# -gt 0 ] || set -- 31999 99999 199999 399999 1999999
limit=${LONG_FORMULA_LIMIT:-60}

. "$(dirname "$0")/../tests/support/displays.sh"
displays_init bench long-formula-time
need xdotool xclip
start_xvfb
mkdir -m 700 "$displays_dir/runtime"
export XDG_RUNTIME_DIR="$displays_dir/runtime"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
export DBUS_SESSION_BUS_ADDRESS=disabled:
dir=$displays_dir
ticks=$(getconf CLK_TCK)

now() { date +%s.%N; }

# The program's CPU time in clock ticks (fields 14 and 15 of its stat line;
# the command name, field 2, holds no blank here).
cpu() { awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null || echo -1; }

# Waits until the program is idle again: sampled every 0.1 s, a sample in
# which it used at least 30% of a core is busy (the caret's blinking alone
# stays far below); idle is 1.5 s without a busy sample. Prints the seconds
# from START to the end of the last busy sample, or "busy>LIMIT".
wait_idle() {
  pid=$1 start=$2
  last=$(cpu "$pid") lastbusy=$start quiet=0
  while :; do
    sleep 0.1
    t=$(now)
    c=$(cpu "$pid")
    [ "$c" = -1 ] && { echo "exited"; return; }
    if [ $((c - last)) -ge $((ticks * 3 / 100)) ]; then lastbusy=$t quiet=0; else quiet=$((quiet + 1)); fi
    last=$c
    [ "$quiet" -ge 15 ] && break
    if [ "$(echo "$t - $start > $limit" | bc)" = 1 ]; then echo "busy>${limit}s"; return; fi
  done
  printf '%.2fs\n' "$(echo "$lastbusy - $start" | bc)"
}

# The result box, in window pixels at 96 dpi (twips 120, 995, 5175 x 440).
result_x=100 result_y=80

printf '%-10s %-10s %-10s %-10s %-12s %-8s %s\n' length paste enter copy copied cpu-s rss-kib
for length in "$@"; do
  terms=$(( (length + 1) / 2 ))
  { printf 1; yes +1 | head -n $((terms - 1)) | tr -d '\n'; } >"$dir/formula"
  "$quillo" >"$dir/quillo.log" 2>&1 &
  pid=$!
  wid=$(xdotool search --sync --onlyvisible --pid "$pid" 2>/dev/null | head -n 1)
  xdotool windowfocus --sync "$wid"
  wait_idle "$pid" "$(now)" >/dev/null
  # In the foreground (-quiet), so that it can be ended after the paste.
  xclip -quiet -selection clipboard -i "$dir/formula" >/dev/null 2>&1 &
  xclip=$!
  sleep 0.2
  start=$(now)
  xdotool key --clearmodifiers ctrl+v
  paste=$(wait_idle "$pid" "$start")
  enter=- copy=- copied=-
  case $paste in
    [0-9]*) start=$(now)
        xdotool key --clearmodifiers Return
        enter=$(wait_idle "$pid" "$start") ;;
  esac
  kill "$xclip" 2>/dev/null
  wait "$xclip" 2>/dev/null
  case $enter in
    [0-9]*) # A double-click on the result copies it: proof that Enter evaluated.
        start=$(now)
        xdotool mousemove --window "$wid" "$result_x" "$result_y" click --repeat 2 --delay 50 1
        copy=$(wait_idle "$pid" "$start")
        copied=$(timeout 5 xclip -o -selection clipboard 2>/dev/null | head -c 20) ;;
  esac
  rss=$(awk '/^VmRSS/ { print $2 }' "/proc/$pid/status" 2>/dev/null)
  total=$(echo "scale=2; $(cpu "$pid") / $ticks" | bc)
  printf '%-10s %-10s %-10s %-10s %-12s %-8s %s\n' "$length" "$paste" "$enter" "$copy" \
    "${copied:--}" "$total" "${rss:--}"
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
done
