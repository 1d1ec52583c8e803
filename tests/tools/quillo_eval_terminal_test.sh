#!/bin/sh
# quillo-eval's interactive mode in a real terminal: tmux runs it in a pane
# (its own server on a socket in a temporary directory), keys go in with
# send-keys, and the screen comes back with capture-pane. Every answer is
# compared with what batch mode prints for the same formula.
#
#   quillo_eval_terminal_test.sh PATH/TO/quillo-eval PATH/TO/slow_terminal.so
set -u
EVAL=$1
SLOW=$2  # makes quillo-eval slow where keys must still come out right
unset TMUX  # a server of its own, also when run from inside tmux
work=$(mktemp -d)
fails=0
tm() { tmux -S "$work/tmux.sock" -f /dev/null "$@"; }
trap 'tm kill-server 2>/dev/null; rm -rf "$work"' EXIT
# A session that outlives the others, so that the server does not exit (and
# race the next start) whenever a quillo-eval session ends.
tm new-session -d -s keep "sleep 600" || { echo "FAIL tmux does not start"; exit 1; }
fail() { printf 'FAIL %s\n' "$*"; fails=$((fails + 1)); }

# launch NAME STATE_HOME [VARIABLE=VALUE]: quillo-eval in a new session
# NAME, with the history under STATE_HOME, its standard error in
# $work/NAME.err and its exit status in $work/NAME.status; start: the same,
# and waits for the prompt.
launch() {
  rm -f "$work/$1.status" "$work/$1.err"
  tm new-session -d -s "$1" -x 100 -y 40 \
    "env TERM=xterm HOME='$work/home' XDG_STATE_HOME='$2' ${3:-} '$EVAL' 2>'$work/$1.err'; echo \$? >'$work/$1.status'"
}
start() { launch "$@"; expect "$1" "start" ">"; }

# The last LINES lines of NAME's screen that are not blank, trailing blanks cut.
tail_of() { tm capture-pane -p -t "$1" | sed -e 's/ *$//' -e '/^$/d' | tail -n "$2"; }

# expect NAME WHAT EXPECTED: waits (up to 10 s) until the last lines of the
# screen read EXPECTED (as many lines as it has).
expect() {
  lines=$(printf '%s\n' "$3" | wc -l)
  i=0
  while [ "$(tail_of "$1" "$lines")" != "$3" ]; do
    i=$((i + 1))
    if [ $i -gt 100 ]; then
      fail "$2: expected the screen to end in"
      printf '%s\n--- screen:\n' "$3"
      tm capture-pane -p -t "$1" | sed '/^$/d'
      return 1
    fi
    sleep 0.1
  done
}

keys() { name=$1; shift; tm send-keys -t "$name" "$@"; }
type_in() { tm send-keys -t "$1" -l "$2"; }
batch() { "$EVAL" -- "$1"; }

# finish NAME: Ctrl-D on the empty line; the session must end with status 0.
finish() {
  keys "$1" C-d
  i=0
  while [ ! -s "$work/$1.status" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
  [ "$(cat "$work/$1.status" 2>/dev/null)" = 0 ] ||
    fail "$1: Ctrl-D: exit status '$(cat "$work/$1.status" 2>/dev/null)'"
}

# warnings NAME COUNT: what the session wrote to standard error.
warnings() {
  n=$(wc -l <"$work/$1.err")
  [ "$n" -eq "$2" ] || { fail "$1: $n lines on standard error, expected $2:"; cat "$work/$1.err"; }
}

state=$work/state
history=$state/quillo/history

# First session: evaluate, recall, edit, complete, abandon, search.
start one "$state"
f1='2*sin(30)+(1+2)^2'
type_in one "$f1"; keys one Enter
expect one "Enter" "> $f1
$(batch "$f1")
>"
keys one Up
expect one "Up recalls" "> $f1"
keys one Left Left Left BSpace; type_in one 3
expect one "Left and Backspace" "> 2*sin(30)+(1+3)^2"
keys one Enter
expect one "the edited formula" "$(batch '2*sin(30)+(1+3)^2')
>"
type_in one po; keys one Tab
expect one "Tab after po" "> power("
type_in one '2,10)'; keys one Enter
expect one "the completed formula" "$(batch 'power(2,10)')
>"
type_in one '1+sQ'; keys one Tab
expect one "Tab in any letter case" "> 1+sqrt("
keys one C-u
type_in one a; keys one Tab
expect one "Tab with three candidates" "abs  Asin  Acos
> a"
keys one C-u
type_in one '1+2+'
expect one "typing" "> 1+2+"
keys one C-c
expect one "Ctrl-C drops the line" "> 1+2+^C
>"
keys one Enter
type_in one '   '; keys one Enter
expect one "blank lines do nothing" "> 1+2+^C
>
>
>"
type_in one '1/0'; keys one Enter
expect one "a message" "> 1/0
$(batch '1/0')
>"
keys one C-r; type_in one 'sin'; keys one Enter
expect one "Ctrl-R finds the newest formula with sin" "$(batch '2*sin(30)+(1+3)^2')
>"
finish one
warnings one 0
expected_file='2*sin(30)+(1+2)^2
2*sin(30)+(1+3)^2
power(2,10)
1/0
2*sin(30)+(1+3)^2'
[ "$(cat "$history" 2>/dev/null)" = "$expected_file" ] ||
  { fail "history file after the first session:"; cat "$history"; }

# Second session: the first one's formulas come back with Up.
start two "$state"
keys two Up
expect two "Up in the next session" "> 2*sin(30)+(1+3)^2"
keys two Up
expect two "Up again" "> 1/0"
keys two C-u
# Full-width characters are edited as characters, whatever the locale says
# (this script runs in any; the formulas are UTF-8).
type_in two '（１＋２）＊３'
keys two BSpace BSpace
type_in two '^2'
expect two "full-width characters" "> （１＋２）^2"
keys two Enter
expect two "a full-width formula" "$(batch '（１＋２）^2')
>"
finish two
warnings two 0

# Two sessions at once: each formula is kept, in the order entered.
start three "$state"
start four "$state"
type_in three '1+1'; keys three Enter; expect three "session three" " 2
>"
type_in four '2+2'; keys four Enter; expect four "session four" " 4
>"
type_in three '3+3'; keys three Enter; expect three "session three again" " 6
>"
finish three
finish four
[ "$(tail -n 3 "$history")" = "1+1
2+2
3+3" ] || { fail "two sessions at once:"; cat "$history"; }

# A history file with one bad line among 1,000: one warning, and every good
# line stays, the new formula behind them.
(seq 999 | sed 's/^/1+/'; printf '\001\377 not a formula\n2+2') >"$history"
start five "$state"
keys five Up
expect five "the last good line comes back" "> 2+2"
keys five C-u
type_in five '3+3'; keys five Enter; expect five "with a bad line in the file" " 6
>"
finish five
warnings five 1
grep -q '1 line that is not a formula' "$work/five.err" || fail "the warning: $(cat "$work/five.err")"
[ "$(head -n 1 "$history")" = "1+2" ] && [ "$(tail -n 2 "$history")" = "2+2
3+3" ] && [ "$(wc -l <"$history")" -eq 1000 ] ||
  { fail "the good lines were not kept:"; head -n 2 "$history"; tail -n 3 "$history"; }

# Keys typed ahead, and Up the moment the prompt shows (here made to come
# while quillo-eval is slow): the terminal echoes neither, and the line
# shows what was typed and nothing else (not "> 3*3A" from an echoed ESC [ A).
launch slow "$state" "LD_PRELOAD='$SLOW'"
type_in slow '3*3'
expect slow "typed ahead of the start" "> 3*3"
keys slow Enter
expect slow "the formula typed ahead" " 9
>"
keys slow Up
expect slow "Up the moment the next prompt shows" "> 3*3"
keys slow C-u
finish slow
warnings slow 0
start slower "$state" "LD_PRELOAD='$SLOW'"
keys slower Up
expect slower "Up the moment the first prompt shows" "> 3*3"
keys slower C-u
finish slower
warnings slower 0

# A symbolic link (dotfiles): it stays a link, and its target gets the formula.
mkdir -p "$work/dotfiles"
printf '1+1\n' >"$work/dotfiles/history"
rm -f "$history"; ln -s "$work/dotfiles/history" "$history"
start links "$state"
type_in links '8*8'; keys links Enter; expect links "through a link" " 64
>"
finish links
warnings links 0
[ -L "$history" ] && [ "$(cat "$work/dotfiles/history")" = "1+1
8*8" ] || { fail "the link was not written through:"; ls -l "$history"; cat "$work/dotfiles/history"; }
rm -f "$history"

# Keys as xterm, VTE and Konsole send them: a word back with Ctrl-Left
# (12+34 becomes 12+534), Alt-Left, Home and End in both forms, Delete and
# Ctrl-Delete; keys the calculator has no use for type nothing.
start keys "$state"
type_in keys '12+34'; keys keys C-Left; type_in keys 5; keys keys Enter
expect keys "Ctrl-Left" "> 12+534
 546
>"
for seq in '\033[1;5D' '\033[1;3D' '\033\033[D' '\033Od'; do
  type_in keys '12+34'; printf "$seq" | tm load-buffer - && tm paste-buffer -t keys
  type_in keys 5; keys keys Enter
  expect keys "word left as $seq" " 546
>" || break
done
type_in keys '2+3'
for seq in '\033[H' '\033OH' '\033[1~' '\033[7~'; do printf "$seq" | tm load-buffer - && tm paste-buffer -t keys; done
type_in keys 1
for seq in '\033[F' '\033OF' '\033[4~' '\033[8~'; do printf "$seq" | tm load-buffer - && tm paste-buffer -t keys; done
type_in keys 0
expect keys "Home and End in every form" "> 12+30"
keys keys Home DC; keys keys C-Right C-Left C-Left
printf '\033[3;5~' | tm load-buffer - && tm paste-buffer -t keys
expect keys "Delete, then Ctrl-Delete of a word" "> +30"
keys keys F1 F5 Insert PPage NPage S-F3 M-F2 C-PPage
printf '\033[200~\033[?1;2c\033[99;99Z' | tm load-buffer - && tm paste-buffer -t keys
keys keys End; type_in keys '*2'; keys keys Home; type_in keys 1; keys keys Enter
expect keys "keys of no use type nothing" "> 1+30*2
 61
>"

# Safe output: a name with control characters comes back escaped, and the
# terminal's title stays.
type_in keys 'a'; keys keys C-v Escape; type_in keys ']0;PWNED'; keys keys C-v C-g
type_in keys '(1)'; keys keys Enter
expect keys "an escape sequence in a name" '>> 暂不支持函数：a\x1B]0;PWNED\x07
>'
case $(tm display -p -t keys '#{pane_title}') in *PWNED*) fail "the terminal was retitled" ;; esac
tm capture-pane -p -e -t keys | grep -q "$(printf '\033]')" && fail "an ESC ] reached the screen"

# Input as people save it: a byte order mark in front of the first formula,
# bytes that are not UTF-8 (the same message as batch mode), full-width
# letters completed.
finish keys
start bom "$state"
printf '\357\273\2771+1' | tm load-buffer - && tm paste-buffer -t bom; keys bom Enter
expect bom "a byte order mark" " 2
>"
printf '3+\377\3763' | tm load-buffer - && tm paste-buffer -t bom; keys bom Enter
expect bom "bytes that are not UTF-8" "$(printf '3+\377\3763\n' | "$EVAL")
>"
type_in bom 'ｐｏ'; keys bom Tab
expect bom "Tab after full-width po" "> power("
keys bom C-u

# A resize while a wrapped line is typed: the line is drawn again whole,
# and the answer comes below it.
long=$(seq 60 | tr '\n' '+')1
type_in bom "$long"
tm resize-window -t bom -x 70
sleep 0.3
keys bom Enter
expect bom "the answer after a resize" "$(batch "$long")
>"
[ "$(tm capture-pane -p -J -t bom | sed -e 's/ *$//' -e '/^$/d' | tail -n 3 | head -n 1)" = "> $long" ] ||
  { fail "the line after a resize:"; tm capture-pane -p -J -t bom; }
finish bom
warnings bom 1  # the formula that is not UTF-8 is not kept, and says so

# No place for the history (a file where its directory should be; even root
# cannot write there): one warning, and the session works.
touch "$work/blocker"
start six "$work/blocker"
type_in six '6*6'; keys six Enter; expect six "without a history file" " 36
>"
type_in six '7*7'; keys six Enter; expect six "still without a history file" " 49
>"
keys six Up
expect six "recall within the session" "> 7*7"
keys six C-u
finish six
warnings six 1

if [ "$fails" -eq 0 ]; then echo "quillo-eval terminal: all checks passed"; fi
exit "$fails"
