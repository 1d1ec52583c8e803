#!/bin/sh
# quillo-eval.exe under Wine against the Linux quillo-eval on the
# differential corpora (random, long and maths formulas, written by
# formula-lines): every output line must be the same, byte for byte.
#
#   corpus_compare.sh FORMULA-LINES LINUX-QUILLO-EVAL RUNNER... QUILLO-EVAL.EXE
#
# RUNNER... is the command that runs a Windows program (cmake/wine-run and
# its prefix). Prints the number of lines that differ and the first of them
# with their formulas; exit status 1 when any differ.
set -u
lines=$1
linux=$2
shift 2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

"$lines" >"$tmp/corpus" || { echo "FAIL formula-lines"; exit 1; }
"$linux" <"$tmp/corpus" >"$tmp/linux"
linux_rc=$?
"$@" <"$tmp/corpus" >"$tmp/windows"
windows_rc=$?

fails=0
count=$(wc -l <"$tmp/corpus")
for side in linux windows; do
  got=$(wc -l <"$tmp/$side")
  if [ "$got" -ne "$count" ]; then
    echo "FAIL $side: $got output lines for $count input lines"
    fails=$((fails + 1))
  fi
done
if [ "$linux_rc" -ne "$windows_rc" ]; then
  echo "FAIL exit status: $linux_rc on Linux, $windows_rc on Windows"
  fails=$((fails + 1))
fi

# Input, Linux and Windows line side by side; the first 20 differences
# shown (their formulas shortened), and the count.
differing=$(awk -v linux="$tmp/linux" -v windows="$tmp/windows" '
  {
    formula = $0
    if ((getline a < linux) <= 0) a = "(no line)"
    if ((getline b < windows) <= 0) b = "(no line)"
    if (a != b) {
      if (++n <= 20)
        printf "line %d: %s\n  linux   %s\n  windows %s\n", NR, substr(formula, 1, 120), a, b > "/dev/stderr"
    }
  }
  END { print n + 0 }' "$tmp/corpus")
echo "quillo-eval.exe against quillo-eval: $differing of $count lines differ"
[ "$differing" -eq 0 ] || fails=$((fails + 1))
exit $((fails > 0))
