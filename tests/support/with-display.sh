#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a test that needs an X display on a virtual display of its own, so it
# neither needs a desktop nor puts windows on one. Xvfb chooses a free display
# number itself, so tests running side by side never compete for one. Without
# Xvfb the test uses $DISPLAY.
set -u
if ! command -v Xvfb >/dev/null 2>&1; then
    if [ -n "${DISPLAY:-}" ]; then
        exec "$@"
    fi
    echo "with-display.sh: no X display and no Xvfb (scripts/setup.sh installs xvfb)" >&2
    exit 1
fi
numberfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$numberfile" 2>/dev/null &
server=$!
trap 'kill $server 2>/dev/null; rm -f "$numberfile"' EXIT INT TERM
tries=0
while [ ! -s "$numberfile" ]; do
    tries=$((tries + 1))
    if [ $tries -gt 200 ] || ! kill -0 $server 2>/dev/null; then
        echo "with-display.sh: Xvfb did not start" >&2
        exit 1
    fi
    sleep 0.1
done
DISPLAY=":$(cat "$numberfile")"
export DISPLAY
"$@"
