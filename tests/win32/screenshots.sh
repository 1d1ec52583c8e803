#!/bin/sh
# Screenshots of quillo.exe under Wine at 100 % and 200 % (Wine's DPI set
# to 96 and 192 in a prefix of each), after a calculation and with the
# error box up, for a person to look at:
#
#   DISPLAY=:N screenshots.sh WINE-RUN QUILLO.EXE OUT-DIRECTORY
#
# Wine draws the frames itself (no window manager needed), and its title
# bars fall back on the Song face for Chinese, as Windows' font linking does.
set -eu
wine_run=$1
exe=$2
out=$3
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$out"
shot() {  # shot NAME: the window with the given title, with its frame
  id=$(xdotool search --name "$2" | head -n 1)
  eval "$(xdotool getwindowgeometry --shell "$id")"
  python3 "$here/x_screenshot.py" "$out/$1" "$X" "$Y" "$WIDTH" "$HEIGHT"
}
for dpi in 96 192; do
  prefix=$out/wine-$dpi
  "$wine_run" "$prefix" cmd /c exit 0
  export WINEPREFIX=$prefix WINEDEBUG=-all
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $dpi /f >/dev/null
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
  for face in Tahoma "Liberation Sans" Arial; do
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
      /v "$face" /t REG_MULTI_SZ /d 'uming.ttc,AR PL UMing CN' /f >/dev/null
  done
  wineserver -w
  wine "$exe" >/dev/null 2>&1 &
  for _ in $(seq 100); do xdotool search --name Quillo >/dev/null 2>&1 && break; sleep 0.2; done
  sleep 2
  xdotool type --delay 20 '2*sin(30)+(1+2)^2'
  xdotool key Return
  sleep 1
  shot "quillo-$dpi.png" Quillo
  xdotool type --delay 20 '1/0'
  xdotool key Return
  sleep 2
  python3 "$here/x_screenshot.py" "$out/quillo-$dpi-error.png"
  xdotool key Return
  wineserver -k || true
done
