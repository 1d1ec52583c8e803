#!/bin/sh
# The window's look under the desktop settings that reach a Qt program on a
# real X display: each rendering must equal the default one.
#
#   look_under_themes.sh LOOK_GRAB OUT_DIR
#
# OUT_DIR keeps every rendering (DIR/SETTING/window.png, menu.png, box.png)
# to look at.
set -u
GRAB=$1
OUT=$2

if [ -z "${LOOK_DISPLAY_STARTED:-}" ]; then
  command -v Xvfb >/dev/null || { echo "FAIL: Xvfb is missing (scripts/install-deps test installs it)"; exit 1; }
  dir=$(mktemp -d)
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$dir/display" 2>"$dir/xvfb.log" &
  xvfb=$!
  i=0
  while [ ! -s "$dir/display" ] && [ "$i" -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
  if [ ! -s "$dir/display" ]; then
    echo "FAIL: Xvfb did not start"; cat "$dir/xvfb.log"; kill "$xvfb" 2>/dev/null; rm -rf "$dir"; exit 1
  fi
  LOOK_DISPLAY_STARTED=1 DISPLAY=":$(cat "$dir/display")" HOME="$dir" XDG_CONFIG_HOME="$dir/config" \
    XDG_RUNTIME_DIR="$dir" "$0" "$@"
  rc=$?
  kill "$xvfb" 2>/dev/null
  wait "$xvfb" 2>/dev/null
  rm -rf "$dir"
  exit "$rc"
fi

unset QT_QPA_PLATFORM WAYLAND_DISPLAY QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE GTK_THEME QT_SCALE_FACTOR \
  LC_ALL LC_CTYPE LC_MESSAGES LANGUAGE FC_LANG
export DBUS_SESSION_BUS_ADDRESS=disabled: NO_AT_BRIDGE=1 LANG=C.UTF-8
# qt6ct with its "darker" colour scheme.
mkdir -p "$XDG_CONFIG_HOME/qt6ct"
cat >"$XDG_CONFIG_HOME/qt6ct/qt6ct.conf" <<CONF
[Appearance]
color_scheme_path=/usr/share/qt6ct/colors/darker.conf
custom_palette=true
style=Fusion
CONF

fails=0
rm -rf "$OUT"
mkdir -p "$OUT/default"
echo "== default"
"$GRAB" "$OUT/default" || { echo "FAIL: the default rendering"; exit 1; }

# SETTING-NAME DARK(yes/no) UNCOMPARED ENVIRONMENT...
run() {
  name=$1 dark=$2 uncompared=$3
  shift 3
  mkdir -p "$OUT/$name"
  echo "== $name: $*"
  report=$(env "$@" "$GRAB" "$OUT/$name" "$OUT/default" $uncompared 2>"$OUT/$name/stderr")
  rc=$?
  printf '%s\n' "$report"
  [ "$rc" -eq 0 ] || { echo "FAIL: $name differs from the default"; fails=$((fails + 1)); }
  if [ "$dark" = yes ]; then
    # The setting must really be in force: the desktop's window colour is dark.
    colour=$(printf '%s\n' "$report" | sed -n 's/^desktop: .*, window #\(......\),.*/\1/p')
    [ -n "$colour" ] && [ $((0x$(printf %.2s "$colour"))) -lt 128 ] ||
      { echo "FAIL: $name: the desktop's palette is not dark (window #$colour)"; cat "$OUT/$name/stderr"; fails=$((fails + 1)); }
  fi
}

run gtk3-adwaita-dark yes "" QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark
# qt6ct keeps KDE's key bindings, which the menu's shortcut column shows as
# they work (redo is Ctrl+Y there, Ctrl+Shift+Z elsewhere): its menu is
# looked at, not compared.
run qt6ct-darker yes menu.png QT_QPA_PLATFORMTHEME=qt6ct
run adwaita-style no "" QT_STYLE_OVERRIDE=Adwaita
run windows-style no "" QT_STYLE_OVERRIDE=Windows
# The locales whose fonts fontconfig prefers differ from C's: the window, its
# menus and its error box draw with the faces they name, not those.
run zh_CN no "" LANG=zh_CN.UTF-8
run zh_TW no "" LANG=zh_TW.UTF-8
run ja_JP no "" LANG=ja_JP.UTF-8
exit "$fails"
