#!/bin/sh
# Our title bar, the window below it and the error box, as weston shows them,
# are the same under the Chinese and Japanese locales as under C: their fonts
# name their faces, so fontconfig's preferences for the locale's language do
# not reach them. title_bar_test saves what the compositor showed.
#
#   title_bar_locales.sh IN_WESTON TITLE_BAR_TEST OUT_DIR
#
# OUT_DIR keeps every rendering (OUT_DIR/LOCALE/*.png) to look at.
set -u
IN_WESTON=$1
TEST=$2
OUT=$3
unset LC_ALL LC_CTYPE LC_MESSAGES LANGUAGE FC_LANG

rm -rf "$OUT"
fails=0
for locale in C zh_CN zh_TW ja_JP; do
  mkdir -p "$OUT/$locale"
  echo "== LANG=$locale.UTF-8"
  (cd "$OUT/$locale" &&
    LANG=$locale.UTF-8 "$IN_WESTON" "$TEST" windowBelowOurTitleBar errorBoxBelowOurTitleBar \
      >log 2>&1) || { echo "FAIL: title_bar_test under $locale"; tail -n 20 "$OUT/$locale/log"; fails=$((fails + 1)); continue; }
  [ "$locale" = C ] && continue
  for shot in "$OUT/C"/*.png; do
    name=$(basename "$shot")
    if ! cmp -s "$shot" "$OUT/$locale/$name"; then
      echo "FAIL: $name under $locale differs from C"
      fails=$((fails + 1))
    fi
  done
done
[ -n "$(ls "$OUT/C"/*.png 2>/dev/null)" ] || { echo "FAIL: no renderings under C"; fails=$((fails + 1)); }
exit "$fails"
