#!/bin/bash
# Throughput of quillo-eval's batch mode: a 100,000-line file of formulas on
# standard input, output to a file, as the median wall time of repeated runs;
# and the same lines through pipes (cat FILE | quillo-eval | cat), where the
# input arrives in pieces and every answer is flushed before the next read.
#
#   bench/quillo-eval-lines.sh PATH/TO/quillo-eval [OTHER/quillo-eval ...] [-- RUNS]
#
# Every round runs the reference first (bc on the same file, which parses and
# computes every line too), then each program given; the medians are set
# against the reference's median of the same run, so that a change in the
# machine's load falls on all of them alike. Two programs (a build before and
# after a change) are thus compared in one run.
set -eu

bins=()
runs=15
while [ $# -gt 0 ]; do
  case $1 in
    --) runs=${2:?usage: $0 BIN... [-- RUNS]}; shift 2 ;;
    *) bins+=("$1"); shift ;;
  esac
done
[ ${#bins[@]} -gt 0 ] || { echo "usage: $0 PATH/TO/quillo-eval [OTHER ...] [-- RUNS]" >&2; exit 2; }
command -v bc >/dev/null || { echo "quillo-eval-lines: bc is needed as the reference" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
input=$work/formulas.txt
# Arithmetic both programs read alike: sums, products, quotients, brackets and
# whole powers, 100,000 lines (about 1.9 MB).
awk 'BEGIN {
  for (i = 1; i <= 100000; i++) {
    k = i % 4
    if (k == 0) printf "%d*3+(1+2)^2-7/4\n", i
    else if (k == 1) printf "(%d.5+0.25)*(2-%d)/3\n", i, i % 97
    else if (k == 2) printf "%d^2-%d/8+11\n", i % 1000, i
    else printf "((%d+1)*(%d-1))/(1+%d)\n", i, i, i % 13
  }
}' >"$input"

for bin in "${bins[@]}"; do
  lines=$("$bin" <"$input" | wc -l)
  [ "$lines" -eq 100000 ] || { echo "quillo-eval-lines: $bin wrote $lines lines" >&2; exit 2; }
done

now_us() { local t=$EPOCHREALTIME; echo $(( ${t/./} )); }
declare -A times
names=(bc "${bins[@]}")
for bin in "${bins[@]}"; do names+=("pipe:$bin"); done
for ((r = 0; r < runs; r++)); do
  start=$(now_us); bc -q <"$input" >"$work/out" 2>&1; end=$(now_us)
  times[bc]+="$((end - start)) "
  for bin in "${bins[@]}"; do
    start=$(now_us); "$bin" <"$input" >"$work/out"; end=$(now_us)
    times[$bin]+="$((end - start)) "
    start=$(now_us); cat "$input" | "$bin" | cat >"$work/out"; end=$(now_us)
    times[pipe:$bin]+="$((end - start)) "
  done
done

median() { printf '%s\n' $1 | sort -n | sed -n "$(( ($(wc -w <<<"$1") + 1) / 2 ))p"; }
ms() { printf '%d.%03d' $(($1 / 1000)) $(($1 % 1000)); }
ref=$(median "${times[bc]}")
echo "100,000 lines on standard input, $runs rounds, median wall time (pipe: through cat | ... | cat):"
for name in "${names[@]}"; do
  m=$(median "${times[$name]}")
  printf '  %-40s %9s ms   %s x bc\n' "$name" "$(ms "$m")" \
    "$(awk -v a="$m" -v b="$ref" 'BEGIN { printf "%.3f", a / b }')"
done
echo "load: $(cat /proc/loadavg)"
