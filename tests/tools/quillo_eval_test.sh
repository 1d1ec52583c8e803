#!/bin/sh
# End-to-end runs of quillo-eval: arguments, standard input, exit codes.
set -u
EVAL=$1
. "$(dirname "$0")/../support/displays.sh"
displays_init test quillo_eval_cli
tmp=$displays_dir


out=$("$EVAL" "2*sin(30)+(1+2)^2" "1/2" "-1/2" "1+2"); rc=$?
check "arguments" " 7.02393675181428
 0.5
 -.5
 3" "$out"
check "arguments exit" 0 "$rc"

# A batch run never loads the line editor (a fifth of a short run's time).
loaded=$(echo 1+1 | LD_DEBUG=libs "$EVAL" 2>&1 >/dev/null | grep -c 'libedit')
check "batch loads no line editor" 0 "$loaded"

out=$("$EVAL" "1+" "((1+2)" "(1+2))" "foo(1)" "1"); rc=$?
check "messages" ">> 公式有误或为空
>>表达式缺右括号：)
>>表达式缺左括号：(
>> 暂不支持函数：foo
 1" "$out"
check "messages exit" 1 "$rc"

out=$(printf '1+2\r\n\r\nsqrt(16)\nround(2.345,2)' | "$EVAL"); rc=$?
check "stdin" " 3
>> 公式有误或为空
 4
 2.35" "$out"
check "stdin exit" 1 "$rc"

# A byte order mark opens the first line only; a group must not be followed
# by an operand.
out=$(printf '\357\273\2771+1\n\357\273\2772\n(1+2)3\nSin()30\n' | "$EVAL")
check "byte order mark, group followed by an operand" " 2
>> 公式有误或为空
>> 公式有误或为空
>> 公式有误或为空" "$out"

# A name that echoes control characters comes back escaped (an OSC sequence
# would retitle the terminal), from standard input and as an argument.
out=$(printf 'a\033]0;PWNED\007(1)\n\302\233(1)\n' | "$EVAL"; "$EVAL" "$(printf 'b\033[2J(1)')")
check "control characters in a name" '>> 暂不支持函数：a\x1B]0;PWNED\x07
>> 暂不支持函数：\u009B
>> 暂不支持函数：b\x1B[2J' "$out"

out=$("$EVAL" -- --2 "-5+3"); rc=$?
check "formulas that look like options" " 2
 -2" "$out"
check "formulas that look like options exit" 0 "$rc"

# Options: name | arguments | standard input | expected output | exit status.
# ("-V" and "-" used to be evaluated as formulas, and "--" alone printed
# nothing.) Input and output are printf formats.
version=$(sed -n 's/^project(Quillo VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")
while IFS='|' read -r name args input expected status; do
  # shellcheck disable=SC2086 # the arguments are words
  out=$(printf "$input" | "$EVAL" $args 2>/dev/null); rc=$?
  check "$name" "$(printf "$expected")" "$out"
  check "$name exit" "$status" "$rc"
done <<TABLE
--version|--version||quillo-eval $version|0
-V|-V||quillo-eval $version|0
--version after a formula|1+1 --version||quillo-eval $version|0
--version after --|-- --version||>> 公式有误或为空|1
-- alone reads standard input|--|1+1\n2*3| 2\n 6|0
lone - reads standard input|-|1+1| 2|0
- between formulas|1 - 3|2\n| 1\n 2\n 3|0
- after --|-- -|1+1| 2|0
-5+3 and -sin(1) are formulas|-5+3 -sin(1)|| -2\n -.841470984807897|0
TABLE

out=$("$EVAL" --help); rc=$?
check "--help exit" 0 "$rc"
case $out in "Usage: quillo-eval "*) ;; *) check "--help text" "Usage: quillo-eval ..." "$out" ;; esac

# An unknown option: nothing on standard output, the option and a one-line
# hint on standard error.
out=$("$EVAL" --frobnicate 1+1 2>"$tmp/err"); rc=$?
check "usage error" 2 "$rc"
check "usage error output" "" "$out"
check "usage error message" "quillo-eval: unknown option '--frobnicate'
Try 'quillo-eval --help' for more information." "$(cat "$tmp/err")"
# Its control characters are shown escaped, as an unknown name's are.
"$EVAL" "$(printf -- '--a\033]0;PWNED\007\302\233')" 2>"$tmp/err"
check "usage error: control characters" "quillo-eval: unknown option '--a\\x1B]0;PWNED\\x07\\u009B'
Try 'quillo-eval --help' for more information." "$(cat "$tmp/err")"

# Reading and writing failures: exit status 2 and a message.
seq 100000 >"$tmp/lines"
for case in "cannot write|1+1|>/dev/full" "cannot write|-|<$tmp/lines >/dev/full" "cannot read|-|</"; do
  IFS='|' read -r what args redirect <<CASE
$case
CASE
  eval "\"\$EVAL\" $args $redirect" 2>"$tmp/err"; rc=$?
  check "$what ($args $redirect) exit" 2 "$rc"
  grep -q "quillo-eval: $what" "$tmp/err" || check "$what message" "quillo-eval: $what ..." "$(cat "$tmp/err")"
done

# A line that runs on beyond 64 MiB is not kept but answered, and the lines
# after it are read as usual; a shorter one is evaluated whole.
out=$({ head -c 67108865 /dev/zero | tr '\0' 1; printf '\n1+1\n'
        head -c 67108862 /dev/zero | tr '\0' ' '; printf '2\r\n'; } | "$EVAL"); rc=$?
check "overlong line" ">> 公式有误或为空
 2
 2" "$out"
check "overlong line exit" 1 "$rc"

# Co-process use: each answer arrives while standard input is still open,
# before the next formula is written.
mkfifo "$tmp/in" "$tmp/out"
"$EVAL" <"$tmp/in" >"$tmp/out" &
pid=$!
exec 3>"$tmp/in" 4<"$tmp/out"
for formula in "1+2" "2^10" "1/0" "sqrt(16)"; do
  printf '%s\n' "$formula" >&3
  answer=$(timeout 5 sh -c 'IFS= read -r line && printf "%s" "$line"' <&4)
  check "co-process answer to $formula" "$("$EVAL" -- "$formula")" "$answer"
done
exec 3>&-
wait $pid; rc=$?
exec 4<&-
check "co-process exit" 1 "$rc"

a=$("$EVAL" "rand()" "rand()" "rand()")
b=$(printf 'rand()\nrand()\nrand()\n' | "$EVAL")
check "rand runs on and repeats" "$a" "$b"
[ "$(printf '%s\n' "$a" | sort -u | wc -l)" -eq 3 ] || { echo "FAIL rand repeats within a run"; fails=$((fails + 1)); }

# Junk gets exactly one line per input line, and no crash.
lines=$(head -c 20000 /dev/urandom | tr '\n' 'x' | fold -b -w 100 | "$EVAL" | wc -l)
check "junk lines" 200 "$lines"

if [ "$fails" -eq 0 ]; then echo "quillo-eval: all checks passed"; fi
exit "$fails"
