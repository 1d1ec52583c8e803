#!/bin/sh
# End-to-end runs of quillo-eval: arguments, standard input, exit codes.
set -u
EVAL=$1
fails=0

check() {  # name expected actual
  if [ "$2" = "$3" ]; then
    :
  else
    printf 'FAIL %s\n--- expected\n%s\n--- got\n%s\n' "$1" "$2" "$3"
    fails=$((fails + 1))
  fi
}

out=$("$EVAL" "2*sin(30)+(1+2)^2" "1/2" "-1/2" "1+2"); rc=$?
check "arguments" " 7.02393675181428
 0.5
 -.5
 3" "$out"
check "arguments exit" 0 "$rc"

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

out=$("$EVAL" -- --2 "-5+3"); rc=$?
check "formulas that look like options" " 2
 -2" "$out"
check "formulas that look like options exit" 0 "$rc"

"$EVAL" --frobnicate >/dev/null 2>&1; rc=$?
check "usage error" 2 "$rc"

a=$("$EVAL" "rand()" "rand()" "rand()")
b=$(printf 'rand()\nrand()\nrand()\n' | "$EVAL")
check "rand runs on and repeats" "$a" "$b"
[ "$(printf '%s\n' "$a" | sort -u | wc -l)" -eq 3 ] || { echo "FAIL rand repeats within a run"; fails=$((fails + 1)); }

# Junk gets exactly one line per input line, and no crash.
lines=$(head -c 20000 /dev/urandom | tr '\n' 'x' | fold -b -w 100 | "$EVAL" | wc -l)
check "junk lines" 200 "$lines"

if [ "$fails" -eq 0 ]; then echo "quillo-eval: all checks passed"; fi
exit "$fails"
