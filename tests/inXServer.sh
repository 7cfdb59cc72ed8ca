#!/bin/sh
# Runs a test program in an X server of its own, a virtual one (Xvfb), bare or under a real window
# manager, so that windows get real focus, and frames and stacking from the window manager. Without
# Xvfb, or without the window manager asked for, the run cannot test and says so with status 77, which
# a plain ctest reports as skipped and the test command counts as a failure. A window manager that
# starts but never manages fails the run. Under one, TALLYFIVE_WINDOW_MANAGER names it to the program.
# Usage: inXServer.sh [--window-manager openbox] PROGRAM [ARGUMENTS...]
manager=
if [ "$1" = --window-manager ]; then
    manager=$2
    shift 2
    if ! command -v "$manager" >/dev/null 2>&1 || ! command -v xprop >/dev/null 2>&1; then
        echo "cannot test: no $manager to run under (install the Debian packages $manager and x11-utils)"
        exit 77
    fi
fi
if ! command -v Xvfb >/dev/null 2>&1; then
    echo "cannot test: no X server to run in (install the Debian package xvfb)"
    exit 77
fi
work=$(mktemp -d)
trap 'kill $managing $server 2>/dev/null; wait $managing $server 2>/dev/null; rm -rf "$work"' EXIT
managing=
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
export DISPLAY=:$(cat "$work/display")
unset TALLYFIVE_WINDOW_MANAGER
if [ -n "$manager" ]; then
    "$manager" >"$work/manager.log" 2>&1 &
    managing=$!
    # Managing once it has announced itself on the root window: a busy machine may take seconds.
    for _ in $(seq 300); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.1
    done
    if ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
        cat "$work/manager.log"
        echo "the window manager $manager never announced itself"
        exit 1
    fi
    export TALLYFIVE_WINDOW_MANAGER="$manager"
fi
"$@"
