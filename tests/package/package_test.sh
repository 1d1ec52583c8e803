#!/bin/sh
# Builds the Debian package from a finished build tree and checks it the way
# a distribution would: control data, contents, the desktop entry and the
# AppStream file, lintian, and the unpacked programs actually running.
#
#   package_test.sh BUILD_DIR
set -u
build=$(cd "$1" && pwd)
. "$(dirname "$0")/../support/displays.sh"
displays_init package package_test
work=$displays_dir

if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  echo "FAIL: cpack"
  exit 1
fi
deb=$(ls "$work"/out/*.deb)
echo "package: $(basename "$deb")"

# Control data.
info=$(dpkg-deb --info "$deb")
for field in "Package: quillo" "Section: math" "Maintainer: " "Version: [0-9]"; do
  printf '%s\n' "$info" | grep -q "^ $field" || fail "control field '$field'"
done
depends=$(dpkg-deb --field "$deb" Depends)
for dep in "libc6" "libqt6widgets6" "fonts-arphic-uming | fonts-noto-cjk" "fonts-liberation" \
           "qt6-translations-l10n" "libedit2"; do
  case "$depends" in *"$dep"*) ;; *) fail "Depends lacks '$dep': $depends" ;; esac
done
recommends=$(dpkg-deb --field "$deb" Recommends)
for dep in "xdg-utils" "qt6-wayland"; do
  case "$recommends" in *"$dep"*) ;; *) fail "Recommends lacks '$dep': $recommends" ;; esac
done

# Contents.
contents=$(dpkg-deb --contents "$deb" | awk '{print $NF}')
for path in ./usr/bin/quillo ./usr/bin/quillo-eval \
            ./usr/share/applications/org.quillo.Quillo.desktop \
            ./usr/share/metainfo/org.quillo.Quillo.metainfo.xml \
            ./usr/share/icons/hicolor/48x48/apps/quillo.png \
            ./usr/share/icons/hicolor/256x256/apps/quillo.png \
            ./usr/share/man/man1/quillo.1.gz ./usr/share/man/man1/quillo-eval.1.gz \
            ./usr/share/doc/quillo/copyright ./usr/share/doc/quillo/changelog.gz \
            ./usr/share/doc/quillo/ARPHICPL.TXT.gz; do
  printf '%s\n' "$contents" | grep -qx "$path" || fail "missing $path"
done

root=$work/root
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/org.quillo.Quillo.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.quillo.Quillo.metainfo.xml" >"$work/as.log" 2>&1 ||
  { cat "$work/as.log"; fail "appstreamcli validate"; }
for size in 48 256; do
  file "$root/usr/share/icons/hicolor/${size}x${size}/apps/quillo.png" | grep -q "$size x $size" ||
    fail "icon ${size}x${size} has another size"
done

# lintian: every error fails; so does every warning not accepted below.
#   binary-has-unneeded-section (info): CPack strips symbols but keeps the
#     compiler's .comment note; harmless.
lintian --fail-on none "$deb" >"$work/lintian.log" 2>&1
grep -E '^(E|W):' "$work/lintian.log" >"$work/lintian.bad"
if [ -s "$work/lintian.bad" ]; then
  cat "$work/lintian.bad"
  fail "lintian"
fi

# The unpacked programs run.
out=$("$root/usr/bin/quillo-eval" "1+2")
[ "$out" = " 3" ] || fail "unpacked quillo-eval printed '$out'"
# Without a display the installed program names a command that works there.
err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u QUILLO_DISPLAY_HINT \
      timeout 10 "$root/usr/bin/quillo" 2>&1 >/dev/null)
case "$err" in
  *"try: xvfb-run quillo") ;;
  *) fail "unpacked quillo without a display said: $err" ;;
esac
# The unpacked window, started as a desktop starts it: gtk-launch finds the
# entry by its id in XDG_DATA_DIRS and runs its Exec line from PATH. Docks
# match the window to that entry by its WM_CLASS class, which must be the
# entry's StartupWMClass.
entry=$root/usr/share/applications/org.quillo.Quillo.desktop
wmclass=$(sed -n 's/^StartupWMClass=//p' "$entry")
[ -n "$wmclass" ] || fail "the desktop entry has no StartupWMClass"
for tool in Xvfb xdotool xprop gtk-launch; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps package installs it)"
done
if [ "$fails" -eq 0 ]; then
  start_xvfb 1024x768x24
  got=$(sh -c '
    export XDG_DATA_DIRS="$1/usr/share" PATH="$1/usr/bin:$PATH" DBUS_SESSION_BUS_ADDRESS=disabled:
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM
    gtk-launch org.quillo.Quillo >/dev/null 2>&1 || { echo "gtk-launch failed"; exit; }
    wid=$(timeout 20 xdotool search --sync --onlyvisible --name "^Quillo" | head -n 1)
    [ -n "$wid" ] || { echo "no window"; exit; }
    xprop -id "$wid" WM_CLASS
    pid=$(xdotool getwindowpid "$wid")
    [ -n "$pid" ] && kill "$pid"' sh "$root")
  [ "$got" = "WM_CLASS(STRING) = \"quillo\", \"$wmclass\"" ] ||
    fail "window launched from the entry: '$got', expected class '$wmclass'"
fi

[ "$fails" -eq 0 ] && echo "package: all checks passed"
exit "$fails"
