#!/bin/sh
# Start-up of the calculator window under a private Xvfb: from exec to the
# window painted, and the resident memory two seconds after the start
# (bench/startup_probe.cpp), for quillo and, measured in the same run and
# taking turns with it, a bare Qt Widgets window of the same size, galculator
# (the lightest desktop calculator Debian offers, GTK 3) and a plain Qt form
# with the calculator's kinds of controls in Qt's defaults (the toolkit's
# floor for this window).
#
#   bench/startup-time.sh BENCH_BUILD_DIR [RUNS]      (default: 21 runs each)
#
# Bars for quillo, as ratios of medians: painted and resident memory at most
# 1.1 times the plain form's, painted within 0.7 times galculator. The bare
# window lacks what the calculator's controls need of Qt (its text layout,
# fonts and input methods), so its ratios are printed for the record only.
# Exit status 1 when a bar is missed.
set -u
build=${1:?usage: $0 BENCH_BUILD_DIR [RUNS]}
runs=${2:-21}
probe=$build/bench/startup-probe

. "$(dirname "$0")/../tests/support/displays.sh"
displays_init bench startup-time
need galculator
start_xvfb
mkdir -m 700 "$displays_dir/runtime"
export XDG_RUNTIME_DIR="$displays_dir/runtime"

# A desktop session without its message bus: nothing waits for one.
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
export DBUS_SESSION_BUS_ADDRESS=disabled:

# galculator keeps its settings in the home directory: a fresh one, so that
# every run starts alike and the user's own is left alone. GTK would also look
# for the accessibility bus, which a session without a message bus lacks.
home=$displays_dir/home
mkdir -p "$home/.config"

"$probe" --runs "$runs" --bar-painted 4:1.1 --bar-rss 4:1.1 --bar-painted 3:0.7 \
  "$build/app/quillo" -- "$build/bench/bare-window" \
  -- /usr/bin/env HOME="$home" XDG_CONFIG_HOME="$home/.config" NO_AT_BRIDGE=1 galculator \
  -- "$build/bench/plain-form"
