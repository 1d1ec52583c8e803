#!/bin/sh
# Runs a command on a private X server (displays.sh), which stops afterwards.
#
#   on_xvfb.sh COMMAND [ARG...]
set -u
. "$(dirname "$0")/displays.sh"
displays_init test on_xvfb
start_xvfb
"$@"
