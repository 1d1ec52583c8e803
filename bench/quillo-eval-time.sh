#!/bin/bash
# Wall time of the whole quillo-eval process (start, evaluation, output,
# exit) on a 32,000-character sum, set against two references measured in the
# same run: bc on the same sum, and a process that does nothing (/bin/true).
# The three take turns, so a change in the machine's load falls on all alike.
#
#   bench/quillo-eval-time.sh PATH/TO/quillo-eval [RUNS]
#
# Each program reads the sum from the same file on its standard input.
# Prints the medians (and the fastest and slowest run), the ratios and the
# machine's load. Bars: quillo-eval's median at most bc's, and at most three
# times that of the process that does nothing. Exit status 1 when one is
# missed, 2 when a program gave a wrong answer.
set -eu

bin=${1:?usage: $0 PATH/TO/quillo-eval [RUNS]}
runs=${2:-51}
bc_bar=1.0
true_bar=3.0

command -v bc >/dev/null || { echo "quillo-eval-time: bc is missing (scripts/install-deps bench)" >&2; exit 2; }
nothing=/bin/true

# "10+1+1+…+1": 2 + 2 * 15,999 = 32,000 characters; its value is 16,009.
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
sum="10$(printf '+1%.0s' $(seq 15999))"
[ ${#sum} -eq 32000 ] || { echo "quillo-eval-time: the sum has ${#sum} characters" >&2; exit 2; }
printf '%s\n' "$sum" >"$dir/sum"

out=$("$bin" <"$dir/sum")
[ "$out" = " 16009" ] || { echo "quillo-eval-time: quillo-eval answered '$out'" >&2; exit 2; }
out=$(bc -q <"$dir/sum")
[ "$out" = "16009" ] || { echo "quillo-eval-time: bc answered '$out'" >&2; exit 2; }

names=(quillo-eval bc true)
commands=("$bin" "bc -q" "$nothing")
declare -A times
for ((i = 0; i < runs; i++)); do
  for ((p = 0; p < ${#names[@]}; p++)); do
    start=$EPOCHREALTIME
    ${commands[p]} <"$dir/sum" >/dev/null
    end=$EPOCHREALTIME
    times[$p]+="$(( ${end/./} - ${start/./} )) "  # microseconds
  done
done

loadavg=$(cat /proc/loadavg)
declare -a medians
for ((p = 0; p < ${#names[@]}; p++)); do
  sorted=($(printf '%s\n' ${times[$p]} | sort -n))
  medians[p]=${sorted[$((runs / 2))]}
  printf '%-12s 32,000-character sum, %d runs: median %d.%03d ms (fastest %d.%03d, slowest %d.%03d)\n' \
    "${names[p]}," "$runs" $((medians[p] / 1000)) $((medians[p] % 1000)) \
    $((sorted[0] / 1000)) $((sorted[0] % 1000)) \
    $((sorted[runs - 1] / 1000)) $((sorted[runs - 1] % 1000))
done
echo "load: $loadavg"

status=0
bar() {  # NAME MEDIAN_US REFERENCE_US BAR
  local verdict
  verdict=$(awk -v q="$2" -v r="$3" -v b="$4" \
    'BEGIN { x = q / r; printf "%.2f %s", x, (x <= b ? "met" : "MISSED") }')
  echo "bar quillo-eval <= $4 x $1: ratio ${verdict% *}, ${verdict#* }"
  [ "${verdict#* }" = met ] || status=1
}
bar bc "${medians[0]}" "${medians[1]}" "$bc_bar"
bar "a process that does nothing" "${medians[0]}" "${medians[2]}" "$true_bar"
exit "$status"
