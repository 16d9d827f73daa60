#!/bin/sh
# Regenerates docs/about-box.png, the README's picture of Virarar's About box:
# runs `oxhost about virarar` on a private X server (xvfb-run, Debian package
# xvfb), where oxhost's test hooks save the box's window as a PNG and then
# type Escape into it.
#   tools/about-screenshot.sh [OXHOST [OUTPUT.png]]
set -eu
oxhost=${1:-build/release/bin/oxhost}
output=${2:-docs/about-box.png}
OXHOST_TEST_CLOSE_AFTER_MS=1000 OXHOST_TEST_SNAPSHOT="$output" \
    xvfb-run -a -s "-screen 0 1024x768x24" "$oxhost" about virarar
echo "wrote $output"
