#!/bin/sh
# What quillo-eval.exe must do on Windows beyond quillo-eval's own checks
# (tests/tools/quillo_eval_test.sh, which runs on it too): the same bytes as
# on Linux on pipes (no CR LF translation in or out), arguments from the
# wide command line whatever the code page, and at a console Unicode in and
# out and the interactive mode with the console's own editing and recall.
#
#   quillo_eval_exe_test.sh RUNNER... QUILLO-EVAL.EXE
#
# RUNNER... runs a Windows program (cmake/wine-run and its prefix).
set -u
for exe; do :; done  # the last argument
runner=""
while [ "$#" -gt 1 ]; do runner="$runner \"$1\""; shift; done
fails=0
tmp=$(mktemp -d)
socket="quillo-eval-exe-$$"
trap 'tmux -L "$socket" kill-server 2>/dev/null; rm -rf "$tmp"' EXIT

run() { eval "$runner \"\$exe\" \"\$@\""; }

check() {  # name expected actual
  if [ "$2" != "$3" ]; then
    printf 'FAIL %s\n--- expected\n%s\n--- got\n%s\n' "$1" "$2" "$3"
    fails=$((fails + 1))
  fi
}

# Bytes, written as od shows them: no CR is added, a CR LF line reads as
# a line, and a lone CR inside a line stays a blank of the formula.
bytes() { od -An -c | tr -s ' \n' ' '; }
out=$(run "1+2" "1/0" | bytes)
check "arguments: LF line ends" "$(printf ' 3\n>> 公式有误或为空\n' | bytes)" "$out"
out=$(printf '1+2\r\n2*3\r\n4\r5\n\r\n' | run | bytes)
check "CR LF input" "$(printf ' 3\n 6\n 45\n>> 公式有误或为空\n' | bytes)" "$out"
out=$(run --frobnicate 2>&1 >/dev/null | bytes)
check "standard error: LF line ends" "$(printf "quillo-eval: unknown option '--frobnicate'\nTry 'quillo-eval --help' for more information.\n" | bytes)" "$out"

# Arguments in and out as UTF-8 whatever the ANSI code page (Wine takes it
# from the locale: 1252 under C.UTF-8, where main()'s narrow arguments
# would read "??", and 936 under zh_CN.UTF-8, where they would be GBK):
# CJK, full-width forms, a character beyond the BMP (a surrogate pair).
for locale in C.UTF-8 zh_CN.UTF-8; do
  locale -a 2>/dev/null | grep -qix "$(echo "$locale" | sed 's/UTF-8/utf-\{0,1\}8/')" || continue
  out=$(LC_ALL=$locale run "（１＋２）＊３" "中文(1)" "😀(1)" "power(2,10)")
  check "Unicode arguments under $locale" " 9
>> 暂不支持函数：中文
>> 暂不支持函数：😀
 1024" "$out"
done
out=$(run --help | head -n 4 | tail -n 1)
check "help text in UTF-8" "or the message of a formula that cannot be evaluated (\">> 公式有误或为空\")." "$out"

# At a console (Wine gives a terminal one): Unicode whatever the code page,
# here 936 (GBK), where UTF-8 bytes would come out garbled.
if command -v tmux >/dev/null; then
  win_exe="Z:$exe"
  screen() { tmux -L "$socket" capture-pane -p -t quillo | sed '/^$/d'; }
  wait_for() {  # text: up to 10 s for it to appear on the screen
    for _ in $(seq 100); do screen | grep -qF -- "$1" && return 0; sleep 0.1; done
    return 1
  }
  tmux -L "$socket" new-session -d -s quillo -x 100 -y 20 \
    "$runner cmd /c \"chcp 936 & $win_exe 中文(1) 1/2 & echo done\"; sleep 60"
  wait_for done
  check "code page 936 console" "Active code page: 936
>> 暂不支持函数：中文
 0.5
done" "$(screen)"
  tmux -L "$socket" kill-session -t quillo 2>/dev/null

  # The interactive mode: a prompt, answers, Up recalls the last formula,
  # Ctrl-C abandons the line, Ctrl-D (then Enter) ends with status 0.
  # (Wine's terminal console goes on reading the line after Ctrl-C, and the
  # program drops it when it comes: hence the Enter, and "^C" on a line of
  # its own, where Windows' console ends the read at once.)
  tmux -L "$socket" new-session -d -s quillo -x 100 -y 20 \
    "$runner \"$exe\"; echo \"status \$?\"; sleep 60"
  wait_for ">" &&
    tmux -L "$socket" send-keys -t quillo '2*sin(30)+(1+2)^2' Enter && wait_for " 7.02" &&
    tmux -L "$socket" send-keys -t quillo '（１＋２）＊３' Enter && wait_for " 9" &&
    tmux -L "$socket" send-keys -t quillo Up Up '+1' Enter && wait_for " 8.02" &&
    tmux -L "$socket" send-keys -t quillo '1/' && wait_for "> 1/" &&
    tmux -L "$socket" send-keys -t quillo C-c && sleep 0.5 &&
    tmux -L "$socket" send-keys -t quillo Enter && wait_for "^C" &&
    tmux -L "$socket" send-keys -t quillo '1/0' Enter && wait_for "公式有误" &&
    tmux -L "$socket" send-keys -t quillo C-d Enter
  wait_for "status"
  check "interactive session" "> 2*sin(30)+(1+2)^2
 7.02393675181428
> （１＋２）＊３
 9
> 2*sin(30)+(1+2)^2+1
 8.02393675181428
> 1/
^C
> 1/0
>> 公式有误或为空
> ^D
status 0" "$(screen)"
  tmux -L "$socket" kill-session -t quillo 2>/dev/null

  # "-" at a console reads lines without a prompt, as on Linux.
  tmux -L "$socket" new-session -d -s quillo -x 100 -y 20 \
    "$runner \"$exe\" -; echo \"status \$?\"; sleep 60"
  sleep 0.5
  tmux -L "$socket" send-keys -t quillo '中文(1)' Enter && wait_for "中文" &&
    tmux -L "$socket" send-keys -t quillo '1+2' Enter && wait_for " 3" &&
    tmux -L "$socket" send-keys -t quillo C-d Enter
  wait_for "status"
  check "standard input at a console" "中文(1)
>> 暂不支持函数：中文
1+2
 3
^D
status 1" "$(screen)"
else
  echo "SKIP console checks: tmux is missing"
fi

if [ "$fails" -eq 0 ]; then echo "quillo-eval.exe: all checks passed"; fi
exit "$fails"
