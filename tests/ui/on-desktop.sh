#!/usr/bin/env bash
# Runs a program on a desktop of its own: a virtual X server (Xvfb, one 1920 x 1080 screen)
# with a small window manager (Openbox), both started for the run and stopped after it. The
# program talks to the X server (Qt platform xcb) as it would on an operator's desktop.
#   on-desktop.sh PROGRAM [ARGUMENT...]
# The exit status is the program's, or 1 when the desktop could not be started.
set -uo pipefail

work=$(mktemp -d)
xvfb="" wm=""
stop() {
    [ -n "$wm" ] && kill "$wm" 2>/dev/null && wait "$wm" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap stop EXIT

fail() {
    echo "on-desktop.sh: $1" >&2
    [ -s "$work/log" ] && cat "$work/log" >&2
    exit 1
}

# Xvfb picks a free display and writes its number once it accepts clients.
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" 2>"$work/log" &
xvfb=$!
until [ -s "$work/display" ]; do
    kill -0 "$xvfb" 2>/dev/null || fail "Xvfb did not start"
    sleep 0.05
done
export DISPLAY=":$(head -n 1 "$work/display")"

openbox --sm-disable >>"$work/log" 2>&1 &
wm=$!
# The window manager has taken over once it names itself on the root window.
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
    kill -0 "$wm" 2>/dev/null || fail "Openbox did not start"
    sleep 0.05
done

QT_QPA_PLATFORM=xcb "$@"
