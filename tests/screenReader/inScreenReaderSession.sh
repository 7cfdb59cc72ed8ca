#!/bin/sh
# Starts the game with its accessibility always on, on a D-Bus session of its own that carries the
# AT-SPI bus, and runs a screen reader's view of it: a Python program that reads what the bus shows.
# Skipped (status 77) where the AT-SPI bus or pyatspi is missing. Needs a display: run in inXServer.sh.
# Usage: inScreenReaderSession.sh GAME READER
launcher=/usr/libexec/at-spi-bus-launcher
if ! command -v dbus-run-session >/dev/null 2>&1 || [ ! -x $launcher ] ||
    ! /usr/bin/python3 -c 'import pyatspi' 2>/dev/null; then
    echo "skipped: no AT-SPI bus to read (install the Debian packages at-spi2-core, dbus and python3-pyatspi)"
    exit 77
fi
exec dbus-run-session -- sh -c '
    '$launcher' --launch-immediately >/dev/null 2>&1 &
    # The game looks for the bus once, as it starts: it starts once the bus answers.
    for _ in $(seq 100); do
        dbus-send --session --dest=org.a11y.Bus --print-reply /org/a11y/bus org.a11y.Bus.GetAddress \
            >/dev/null 2>&1 && break
        sleep 0.1
    done
    data=$(mktemp -d)
    XDG_DATA_HOME=$data QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$1" >/dev/null 2>&1 &
    game=$!
    /usr/bin/python3 "$2"
    status=$?
    kill $game
    rm -rf "$data"
    exit $status' sh "$1" "$2"
