#!/bin/sh
# The MSI under Wine's msiexec, silently: it installs into Program
# Files\Quillo with a Start-menu shortcut and an entry under Apps, a later
# version replaces it (one entry, the new version), and removing it by its
# product code, as Apps does, leaves nothing behind.
#
#   msi_test.sh WIXL BUILD-DIR WXS MSI WINE-RUN PREFIX
#
# WINE-RUN PREFIX runs a Windows program (cmake/wine-run); the
# later version is made from the same WXS with wixl, in BUILD-DIR (the
# sources are named relative to it).
set -u
wixl=$1 build=$2 wxs=$3 msi=$4
shift 4
fails=0
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

check() {  # name expected actual
  if [ "$2" != "$3" ]; then
    printf 'FAIL %s\n--- expected\n%s\n--- got\n%s\n' "$1" "$2" "$3"
    fails=$((fails + 1))
  fi
}
windows_path() { echo "Z:$1" | tr / '\\'; }
product_code() { msiinfo export "$1" Property | tr -d '\r' | awk -F '\t' '$1 == "ProductCode" { print $2 }'; }
uninstall_key() { echo "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$1"; }
runner_wine=$1 prefix=$2  # cmake/wine-run and its prefix
runner() { "$runner_wine" "$prefix" "$@"; }
entry() {
  runner reg query "$(uninstall_key "$1")" /v "$2" 2>/dev/null | tr -d '\r' |
    awk -v name="$2" '$1 == name { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'
}
# Program Files for 64-bit programs; Wine puts the shortcut in the user's
# Start menu, Windows in the shared one.
files="$prefix/drive_c/Program Files/Quillo"
shortcuts() { find "$prefix/drive_c" -path '*/Start Menu/Programs/Quillo.lnk' 2>/dev/null; }

# What an interrupted earlier run left.
for code in $(runner reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' 2>/dev/null |
              tr -d '\r' | sed -n 's/.*\\\({[-0-9A-F]*}\)$/\1/p'); do
  [ "$(entry "$code" DisplayName)" = Quillo ] && runner msiexec /x "$code" /qn
done

# Install.
old_code=$(product_code "$msi")
runner msiexec /i "$(windows_path "$msi")" /qn; rc=$?
check "install exit" 0 "$rc"
listed=$(msiinfo export "$msi" File | awk -F '\t' 'NR > 3 { sub(/.*[|]/, "", $3); print $3 }' | LC_ALL=C sort)
check "installed files" "$listed" "$(ls "$files" 2>&1 | LC_ALL=C sort)"
out=$(runner 'C:\Program Files\Quillo\quillo-eval.exe' "2*sin(30)+(1+2)^2")
check "installed program runs" " 7.02393675181428" "$out"
check "Start-menu shortcut" 1 "$(shortcuts | wc -l)"
check "Apps entry" "Quillo" "$(entry "$old_code" DisplayName)"

# A later version replaces it.
(cd "$build" && "$wixl" --arch x64 -D Version=0.99.0 -o "$tmp/later.msi" "$wxs" 2>/dev/null) ||
  check "later version made" 0 1
new_code=$(product_code "$tmp/later.msi")
runner msiexec /i "$(windows_path "$tmp/later.msi")" /qn; rc=$?
check "upgrade exit" 0 "$rc"
check "upgrade: new entry's version" "0.99.0" "$(entry "$new_code" DisplayVersion)"
check "upgrade: old entry gone" "" "$(entry "$old_code" DisplayName)"
[ -f "$files/quillo-eval.exe" ] || check "upgrade: program" "$files/quillo-eval.exe" "(missing)"
# and an earlier one does not replace a later one.
runner msiexec /i "$(windows_path "$msi")" /qn; rc=$?
[ "$rc" -ne 0 ] || check "downgrade refused" "non-zero exit" "$rc"
check "downgrade: the later version stays" "0.99.0" "$(entry "$new_code" DisplayVersion)"

# Remove, as Apps does.
runner msiexec /x "$new_code" /qn; rc=$?
check "uninstall exit" 0 "$rc"
[ ! -e "$files" ] || check "uninstall: Program Files\\Quillo" "(gone)" "$(ls "$files")"
check "uninstall: shortcut" "" "$(shortcuts)"
check "uninstall: Apps entry" "" "$(entry "$new_code" DisplayName)"

if [ "$fails" -eq 0 ]; then echo "MSI: all checks passed"; fi
exit "$fails"
