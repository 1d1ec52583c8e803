#!/bin/sh
# Start-up of quillo.exe under Wine on a private Xvfb, beside a bare Win32
# window of the same frame and client size (quillo-bare-window.exe, the floor
# of a Win32 program under Wine), measured in one run, taking turns, by the
# start-up probe of the Linux bench (bench/startup_probe.cpp): from exec of
# Wine until every pixel of the program's window has been drawn and no more
# drawing came for 200 ms (the time is that of the last drawing, so that
# controls painted after the window's background count). Wine's server and
# desktop process stay up between runs, as a Windows session does; the
# first, unmeasured run of each program starts them. The resident memory is
# that of the program's Wine process.
#
#   bench/win32-startup-time.sh BENCH_BUILD_DIR WINDOWS_BUILD_DIR [RUNS]
#                                                      (default: 21 runs each)
#
# Bar: quillo.exe painted within 1.5 times the bare window (medians). Exit
# status 1 when it is missed, 2 when something is missing.
set -u
bench_build=${1:?usage: $0 BENCH_BUILD_DIR WINDOWS_BUILD_DIR [RUNS]}
windows_build=${2:?usage: $0 BENCH_BUILD_DIR WINDOWS_BUILD_DIR [RUNS]}
runs=${3:-21}
quillo_source=$(cd "$(dirname "$0")/.." && pwd)
probe=$bench_build/bench/startup-probe
quillo=$windows_build/win32/quillo.exe
bare=$windows_build/bench/win32/quillo-bare-window.exe
for file in "$probe" "$quillo" "$bare"; do
  [ -x "$file" ] || { echo "win32-startup-time: $file is missing (make bench builds it)" >&2; exit 2; }
done

. "$quillo_source/tests/win32/wine_x11.sh"
wine_x11_init bench win32-startup-time "$quillo_source/cmake/wine-run" "$windows_build/wine-prefix-bench"
wine_x11_dpi 96

# The probe names a program by its command: one of each name, which starts
# the program under Wine in the same process.
for exe in "$quillo" "$bare"; do
  printf '#!/bin/sh\nexec "%s" "%s" "%s"\n' "$wine_run" "$wine_prefix" "$(cd "$(dirname "$exe")" && pwd)/${exe##*/}" \
    >"$displays_dir/${exe##*/}"
  chmod +x "$displays_dir/${exe##*/}"
done

echo "Windows start-up under Wine ($(wine --version 2>/dev/null)), 100 %"
"$probe" --runs "$runs" --settle 200 --bar-painted 2:1.5 \
  "$displays_dir/quillo.exe" -- "$displays_dir/quillo-bare-window.exe"
