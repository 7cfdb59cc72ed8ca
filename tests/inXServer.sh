#!/bin/sh
# Runs a test program in an X server of its own, a virtual one (Xvfb), so that windows get real frames,
# focus and stacking. Without Xvfb the run is skipped: status 77.
# Usage: inXServer.sh PROGRAM [ARGUMENTS...]
if ! command -v Xvfb >/dev/null 2>&1; then
    echo "skipped: no X server to run in (install the Debian package xvfb)"
    exit 77
fi
work=$(mktemp -d)
trap 'kill $server 2>/dev/null; wait $server 2>/dev/null; rm -rf "$work"' EXIT
# The server picks a free display itself and writes its number once it is ready.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/server.log" &
server=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
if [ ! -s "$work/display" ]; then
    cat "$work/server.log"
    echo "the X server did not start"
    exit 1
fi
DISPLAY=:$(cat "$work/display") "$@"
