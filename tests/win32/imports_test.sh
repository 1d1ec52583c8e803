#!/bin/sh
# quillo.exe links at load time only the libraries its window needs to be
# made and painted; COM, the shell and the accessibility library come when
# first used (win32/on_demand.h). The input method library is there already
# (user32 brings it): the text boxes place the input method's window.
#
#   imports_test.sh OBJDUMP QUILLO.EXE
set -eu
imports=$("$1" -p "$2" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
expected="comctl32.dll gdi32.dll imm32.dll kernel32.dll msvcrt.dll user32.dll "
if [ "$imports" != "$expected" ]; then
  echo "quillo.exe loads at start: $imports"
  echo "expected:                  $expected"
  exit 1
fi
