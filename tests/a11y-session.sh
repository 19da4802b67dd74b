#!/bin/sh
# Runs a test in a session with the accessibility bus up, as a desktop with a screen reader has
# it: Qt's bridge reports accessibility events only once it has found that bus.
#   a11y-session.sh TEST [ARGS...]   (run inside dbus-run-session, under an X or Wayland display)
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
    >/dev/null 2>&1 || echo "a11y-session.sh: no accessibility bus (is at-spi2-core installed?)" >&2
exec "$@"
