# Helpers for tests that drive the real program on a real X server (Xvfb)
# with real pointer events, and read the screen back as a person would.
# Source it, then call e2e_start_x.

set -u

E2E_TMP=$(mktemp -d /tmp/tempiolo-e2e.XXXXXX)
E2E_XVFB_PID=""
E2E_APP_PID=""
E2E_FAILURES=0
# Window origin and the menu bar's height of the window under test.
WIN_X=0
WIN_Y=0
WIN_ID=""
MENU_H=0

e2e_cleanup() {
    [ -n "$E2E_APP_PID" ] && kill "$E2E_APP_PID" 2>/dev/null
    [ -n "$E2E_XVFB_PID" ] && kill "$E2E_XVFB_PID" 2>/dev/null
    wait 2>/dev/null
    if [ "$E2E_FAILURES" -eq 0 ]; then
        rm -rf "$E2E_TMP"
    else
        echo "screenshots kept in $E2E_TMP"
    fi
}
trap e2e_cleanup EXIT

e2e_fail() {
    echo "FAIL: $*"
    E2E_FAILURES=$((E2E_FAILURES + 1))
}

e2e_pass() {
    echo "ok: $*"
}

e2e_check() { # description, then a command that must succeed
    local what=$1
    shift
    if "$@"; then e2e_pass "$what"; else e2e_fail "$what"; fi
}

e2e_finish() {
    if [ "$E2E_FAILURES" -ne 0 ]; then
        echo "$E2E_FAILURES check(s) failed"
        exit 1
    fi
    echo "all checks passed"
    exit 0
}

e2e_start_x() {
    for tool in Xvfb xdotool import convert tesseract; do
        command -v "$tool" >/dev/null || { echo "missing $tool"; exit 1; }
    done
    export XDG_RUNTIME_DIR="$E2E_TMP/runtime"
    mkdir -m 700 -p "$XDG_RUNTIME_DIR"
    local fifo="$E2E_TMP/displayfd"
    mkfifo "$fifo"
    # -noreset: a probe disconnecting must not reset the server under the program.
    Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1024x768x24 3>"$fifo" >"$E2E_TMP/xvfb.log" 2>&1 &
    E2E_XVFB_PID=$!
    local number
    read -r -t 20 number <"$fifo" || { echo "Xvfb did not start"; exit 1; }
    export DISPLAY=":$number"
    export QT_QPA_PLATFORM=xcb
    unset QT_SCALE_FACTOR
}

e2e_start_app() { # path of the executable, then optional arguments
    "$@" >"$E2E_TMP/app.log" 2>&1 &
    E2E_APP_PID=$!
}

e2e_app_running() {
    kill -0 "$E2E_APP_PID" 2>/dev/null
}

# Waits until the program shows a top-level window of the given size.
e2e_wait_window() { # width height
    local width=$1 height=$2 tries=0 id geometry
    while [ $tries -lt 100 ]; do
        for id in $(xdotool search --onlyvisible --class tempiolo 2>/dev/null); do
            geometry=$(xdotool getwindowgeometry --shell "$id" 2>/dev/null) || continue
            eval "$geometry"
            if [ "$WIDTH" = "$width" ] && [ "$HEIGHT" = "$height" ]; then
                WIN_ID=$id
                WIN_X=$X
                WIN_Y=$Y
                sleep 0.3
                return 0
            fi
        done
        sleep 0.1
        tries=$((tries + 1))
    done
    return 1
}

# Waits for an exercise window: its client area plus a menu bar.
e2e_wait_exercise() { # client width, client height
    local width=$1 height=$2 tries=0 id geometry
    while [ $tries -lt 100 ]; do
        for id in $(xdotool search --onlyvisible --class tempiolo 2>/dev/null); do
            geometry=$(xdotool getwindowgeometry --shell "$id" 2>/dev/null) || continue
            eval "$geometry"
            if [ "$WIDTH" = "$width" ] && [ "$HEIGHT" -gt "$height" ] &&
                [ "$HEIGHT" -lt $((height + 60)) ]; then
                WIN_ID=$id
                WIN_X=$X
                WIN_Y=$Y
                MENU_H=$((HEIGHT - height))
                sleep 0.3
                return 0
            fi
        done
        sleep 0.1
        tries=$((tries + 1))
    done
    return 1
}

# Screen coordinates of a point of the window's client area (below the menu bar).
e2e_sx() { echo $((WIN_X + $1)); }
e2e_sy() { echo $((WIN_Y + MENU_H + $1)); }

e2e_click() { # client x, client y
    xdotool mousemove "$(e2e_sx "$1")" "$(e2e_sy "$2")"
    sleep 0.1
    xdotool click 1
    sleep 0.3
}

# Clicks a point given in window coordinates, menu bar included.
e2e_click_window() {
    xdotool mousemove $((WIN_X + $1)) $((WIN_Y + $2))
    sleep 0.1
    xdotool click 1
    sleep 0.3
}

# A real drag with the mouse, in the steps that X and Qt both follow.
e2e_drag() { # from x y, to x y (client coordinates)
    local sx sy tx ty
    sx=$(e2e_sx "$1")
    sy=$(e2e_sy "$2")
    tx=$(e2e_sx "$3")
    ty=$(e2e_sy "$4")
    xdotool mousemove "$sx" "$sy"
    sleep 0.1
    xdotool mousedown 1
    sleep 0.1
    xdotool mousemove $((sx + 20)) "$sy"
    sleep 0.2
    xdotool mousemove $((tx - 10)) "$ty"
    sleep 0.2
    xdotool mousemove "$tx" "$ty"
    sleep 0.2
    xdotool mouseup 1
    sleep 0.4
}

E2E_SHOT=""
e2e_shot() {
    E2E_SHOT="$E2E_TMP/shot-$(date +%s%N).png"
    import -window root "$E2E_SHOT"
}

# Colour of one client-area pixel of the last screenshot, as #RRGGBB.
e2e_pixel() {
    convert "$E2E_SHOT" -format "#%[hex:p{$(e2e_sx "$1"),$(e2e_sy "$2")}]" info: | cut -c1-7 | tr "A-F" "a-f"
}

# Reads the text inside a box of the client area (x y w h, border included).
e2e_read() {
    local x y w h crop
    x=$(($(e2e_sx "$1") + 2))
    y=$(($(e2e_sy "$2") + 2))
    w=$(($3 - 4))
    h=$(($4 - 4))
    crop="$E2E_TMP/crop.png"
    convert "$E2E_SHOT" -crop "${w}x${h}+${x}+${y}" +repage -colorspace Gray "$crop"
    # Tesseract reads an empty box as a stray letter: look at the contrast first.
    local spread
    spread=$(convert "$crop" -format '%[fx:maxima-minima]' info:)
    if awk "BEGIN { exit !($spread < 0.25) }"; then
        echo ""
        return
    fi
    convert "$crop" -resize 300% -bordercolor white -border 20 "$crop"
    tesseract "$crop" - -l ita --psm 7 2>/dev/null | tr -d '\f' | sed 's/^[[:space:]]*//;s/[[:space:]]*$//'
}

# Lower case, accents and stray marks removed, for comparing what was read.
e2e_plain() {
    echo "$1" | sed 's/[ìíÌ]/i/g;s/[èéÈ]/e/g;s/[àÀ]/a/g;s/[òÒ]/o/g;s/[ùÙ]/u/g' | tr 'A-Z' 'a-z' |
        LC_ALL=C tr -cd 'a-z0-9'
}
