#!/usr/bin/env bash
# Started where no display can be reached, the program says so in one line
# and exits with status 2, instead of Qt's abort.
APP=$1
failures=0
check() { # description, expected status, then the environment changes
    local what=$1 out status
    shift
    out=$(env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY "$@" "$APP" 2>&1 </dev/null)
    status=$?
    if [ $status -eq 2 ] && [ "$(printf '%s\n' "$out" | grep -c .)" -eq 1 ] &&
        printf '%s' "$out" | grep -q '^tempiolo: '; then
        echo "ok: $what: $out"
    else
        echo "FAIL: $what (status $status): $out"
        failures=$((failures + 1))
    fi
}
check "no DISPLAY" -u DISPLAY
check "a display nobody serves" DISPLAY=:93
[ $failures -eq 0 ]
