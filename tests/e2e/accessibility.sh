#!/usr/bin/env bash
# The program as a screen reader or a switch sees it, over AT-SPI: on a
# private session bus with its own accessibility bus and Xvfb, a script finds
# the cards and places by name and role and plays a whole round of
# "Riordina i mesi (1)" and of "Ciclo dei mesi" with press actions only,
# reading the counts back from the tree.
set -u
APP=$1
HERE=$(cd "$(dirname "$0")" && pwd)

if [ -z "${TEMPIOLO_INSIDE_BUS:-}" ]; then
    for tool in dbus-run-session Xvfb /usr/libexec/at-spi-bus-launcher; do
        command -v "$tool" >/dev/null || { echo "missing $tool"; exit 1; }
    done
    /usr/bin/python3 -c 'import pyatspi' || { echo "missing python3-pyatspi"; exit 1; }
    export TEMPIOLO_INSIDE_BUS=1
    exec dbus-run-session -- bash "$0" "$@"
fi

TMP=$(mktemp -d /tmp/tempiolo-atspi.XXXXXX)
cleanup() {
    [ -n "${BUS_PID:-}" ] && kill "$BUS_PID" 2>/dev/null
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$TMP"
}
trap cleanup EXIT

mkfifo "$TMP/displayfd"
Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1024x768x24 3>"$TMP/displayfd" >"$TMP/xvfb.log" 2>&1 &
XVFB_PID=$!
read -r number <"$TMP/displayfd" || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=":$number"
export QT_QPA_PLATFORM=xcb
unset QT_SCALE_FACTOR
export XDG_RUNTIME_DIR="$TMP/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$TMP/bus.log" 2>&1 &
BUS_PID=$!
# The accessibility bus is there once it answers on the session bus.
end=$((SECONDS + 30))
until dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.a11y.Bus.GetAddress >/dev/null 2>&1; do
    [ $SECONDS -le $end ] || { echo "the accessibility bus does not start"; exit 1; }
    sleep 0.1 # between two looks
done

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 /usr/bin/python3 "$HERE/accessibility.py" "$APP"
