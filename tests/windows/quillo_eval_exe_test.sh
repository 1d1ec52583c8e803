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
. "$(dirname "$0")/../support/displays.sh"
displays_init test quillo_eval_exe
tmp=$displays_dir
socket="quillo-eval-exe-$$"
at_exit 'tmux -L "$socket" kill-server 2>/dev/null'

run() { eval "$runner \"\$exe\" \"\$@\""; }


# Bytes, written as od shows them: no CR is added, a CR LF line reads as
# a line, and a lone CR inside a line stays a blank of the formula.
bytes() { od -An -c | tr -s ' \n' ' '; }
out=$(run "1+2" "1/0" | bytes)
check "arguments: LF line ends" "$(printf ' 3\n>> 公式有误或为空\n' | bytes)" "$out"
out=$(printf '1+2\r\n2*3\r\n4\r5\n\r\n' | run | bytes)
check "CR LF input" "$(printf ' 3\n 6\n 45\n>> 公式有误或为空\n' | bytes)" "$out"
out=$(run --frobnicate中文 2>&1 >/dev/null | bytes)
check "standard error: UTF-8, LF line ends" "$(printf "quillo-eval: unknown option '--frobnicate中文'\nTry 'quillo-eval --help' for more information.\n" | bytes)" "$out"

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
out=$(run --help | sed -n 4,6p)
check "help text in UTF-8, of the console's prompt" "or the message of a formula that cannot be evaluated (\">> 公式有误或为空\").
In a console without formulas it prompts for them, with the console's line
editing and recall of the formulas of the session." "$out"

# At a console (Wine gives a terminal one): Unicode whatever the code page,
# standard error's too, here 936 (GBK) and 1252 (Western), where UTF-8
# bytes would show as "??" or "ä¸­æ–‡". The console shows what a pipe
# carries, line for line. (Not a character beyond the BMP: Wine's terminal
# console shows each half of a surrogate pair as U+FFFD.)
code_pages="936 1252"
if command -v tmux >/dev/null; then
  win_exe="Z:$exe"
  screen() { tmux -L "$socket" capture-pane -p -t quillo | sed '/^$/d'; }
  wait_for() {  # text: up to 10 s for it to appear on the screen
    for _ in $(seq 100); do screen | grep -qF -- "$1" && return 0; sleep 0.1; done
    return 1
  }
  # Arguments, one command a row: answers on standard output, an unknown
  # option on standard error, --version and --help.
  rows='中文(1) 1/2 （１＋２）＊３
--help中文 1+1
--version
--help'
  for cp in $code_pages; do
    commands="chcp $cp"
    i=0
    while IFS= read -r args; do
      i=$((i + 1))
      commands="$commands & echo @$i & $win_exe $args"
    done <<ROWS
$rows
ROWS
    tmux -L "$socket" new-session -d -s quillo -x 100 -y 60 "$runner cmd /c \"$commands & echo @end\"; sleep 60"
    wait_for @end
    shown=$(screen)
    check "code page $cp console" "Active code page: $cp" "$(printf '%s\n' "$shown" | head -n 1)"
    i=0
    while IFS= read -r args; do
      i=$((i + 1))
      # shellcheck disable=SC2086 # the arguments are words
      check "code page $cp console: $args" "$(run $args 2>&1 | sed '/^$/d')" \
        "$(printf '%s\n' "$shown" | sed -n "/^@$i\$/,/^@/p" | sed '1d;$d')"
    done <<ROWS
$rows
ROWS
    tmux -L "$socket" kill-session -t quillo 2>/dev/null
  done

  # The interactive mode, under the prefix's own code page and each of
  # those: a prompt, answers, Up recalls the last formula, a control
  # character typed into a name comes back escaped, Ctrl-C abandons the
  # line, Ctrl-D (then Enter) ends with status 0. (Wine's terminal console
  # goes on reading the line after Ctrl-C, and the program drops it when it
  # comes: hence the Enter, and "^C" on a line of its own, where Windows'
  # console ends the read at once. Ctrl-C would end the cmd that sets a code
  # page too, under Wine: it is pressed under the prefix's own only.)
  for cp in own $code_pages; do
    if [ "$cp" = own ]; then
      command="$runner \"$exe\""
    else
      command="$runner cmd /c \"chcp $cp >nul & $win_exe\""
    fi
    tmux -L "$socket" new-session -d -s quillo -x 100 -y 20 "$command; echo \"status \$?\"; sleep 60"
    wait_for ">" &&
      tmux -L "$socket" send-keys -t quillo '2*sin(30)+(1+2)^2' Enter && wait_for " 7.02" &&
      tmux -L "$socket" send-keys -t quillo '（１＋２）＊３' Enter && wait_for " 9" &&
      tmux -L "$socket" send-keys -t quillo Up Up '+1' Enter && wait_for " 8.02" &&
      tmux -L "$socket" send-keys -t quillo '中' C-g '(1)' Enter && wait_for '\x07' &&
      if [ "$cp" = own ]; then
        tmux -L "$socket" send-keys -t quillo '1/' && wait_for "> 1/" &&
          tmux -L "$socket" send-keys -t quillo C-c && sleep 0.5 &&
          tmux -L "$socket" send-keys -t quillo Enter && wait_for "^C"
      fi &&
      tmux -L "$socket" send-keys -t quillo '1/0' Enter && wait_for "公式有误" &&
      tmux -L "$socket" send-keys -t quillo C-d Enter
    wait_for "status"
    interrupted=""
    [ "$cp" = own ] && interrupted="
> 1/
^C"
    check "interactive session, code page $cp" "> 2*sin(30)+(1+2)^2
 7.02393675181428
> （１＋２）＊３
 9
> 2*sin(30)+(1+2)^2+1
 8.02393675181428
> 中^G(1)
>> 暂不支持函数：中\x07$interrupted
> 1/0
>> 公式有误或为空
> ^D
status 0" "$(screen)"
    tmux -L "$socket" kill-session -t quillo 2>/dev/null
  done

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
  tmux -L "$socket" kill-session -t quillo 2>/dev/null

  # A line the console cannot hold whole: Windows' console drops what is
  # pasted beyond 32,765 characters (Wine's hands the rest over), so such a
  # line is refused, never evaluated cut short; one character less is
  # evaluated. The prompt and "-" alike (there, as a line too long to keep),
  # also where Wine hands the line's CR and LF over in two reads.
  # Arguments | blanks in front of a sum of 16,383 ones (32,765 characters)
  # | the screen's last lines once the line and "2+2" are done (printf).
  tooLong="quillo-eval: a line at the console holds at most 32765 characters; this one was not evaluated"
  # shellcheck disable=SC2059 # the table's texts are printf formats
  while IFS='|' read -r args blanks expected; do
    printf "%${blanks}s%s" "" "$(printf '1+%.0s' $(seq 16382))1" >"$tmp/line"
    tmux -L "$socket" new-session -d -s quillo -x 100 -y 20 \
      "$runner \"$exe\" $args; echo \"status \$?\"; sleep 60"
    sleep 0.5
    tmux -L "$socket" load-buffer -b line "$tmp/line" &&
      tmux -L "$socket" paste-buffer -d -b line -t quillo && tmux -L "$socket" send-keys -t quillo Enter &&
      wait_for "$(printf "$expected" | head -n 1)" &&
      tmux -L "$socket" send-keys -t quillo 2+2 Enter C-d Enter
    wait_for "status"
    # The line's echo left out.
    check "$blanks blanks and a 32,765-character line at a console${args:+ ($args)}" "$(printf "$expected")" \
      "$(screen | grep -v '^[> 1]*+[> +1]*$' | tail -n "$(printf "$expected\n" | wc -l)")"
    tmux -L "$socket" kill-session -t quillo 2>/dev/null
  done <<TABLE
|0| 16383\n> 2+2\n 4\n> ^D\nstatus 0
|1|$tooLong\n> 2+2\n 4\n> ^D\nstatus 0
-|0| 16383\n2+2\n 4\n^D\nstatus 0
-|1|$tooLong\n>> 公式有误或为空\n2+2\n 4\n^D\nstatus 1
-|2|$tooLong\n>> 公式有误或为空\n2+2\n 4\n^D\nstatus 1
TABLE
else
  echo "SKIP console checks: tmux is missing"
fi

if [ "$fails" -eq 0 ]; then echo "quillo-eval.exe: all checks passed"; fi
exit "$fails"
