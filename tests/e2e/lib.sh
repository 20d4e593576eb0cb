# Helpers for tests that drive the real program on a real X server (Xvfb)
# with real pointer events, and read the screen back as a person would.
# Source it, then call e2e_start_x.

set -u

E2E_TMP=$(mktemp -d /tmp/tempiolo-e2e.XXXXXX)
E2E_XVFB_PID=""
E2E_APP_PID=""
E2E_FAILURES=0
# How long a script waits for what a person would wait to see (a window, a
# count, a file): generous, for a busy machine.
E2E_PATIENCE=${E2E_PATIENCE:-30}
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
    Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 "${E2E_SCREEN:-1024x768x24}" 3>"$fifo" >"$E2E_TMP/xvfb.log" 2>&1 &
    E2E_XVFB_PID=$!
    local number
    read -r -t 20 number <"$fifo" || { echo "Xvfb did not start"; exit 1; }
    export DISPLAY=":$number"
    export QT_QPA_PLATFORM=xcb
    unset QT_SCALE_FACTOR
}

e2e_start_app() { # path of the executable, then optional arguments
    # The program's settings (voice, language) live in the test's own folders.
    XDG_CONFIG_HOME="$E2E_TMP/config" XDG_DATA_HOME="$E2E_TMP/data" \
        "$@" >"$E2E_TMP/app.log" 2>&1 &
    E2E_APP_PID=$!
}

e2e_app_running() {
    kill -0 "$E2E_APP_PID" 2>/dev/null
}

# Waits until the program shows a window for which `fits` holds (it sees
# the window's WIDTH, HEIGHT and id in WINDOW); leaves the window's place in
# FOUND_ID, FOUND_X, FOUND_Y, FOUND_W and FOUND_H.
e2e_poll_windows() { # fits-function, then its arguments
    local end=$((SECONDS + E2E_PATIENCE)) id geometry
    while [ $SECONDS -le $end ]; do
        for id in $(xdotool search --onlyvisible --class tempiolo 2>/dev/null); do
            geometry=$(xdotool getwindowgeometry --shell "$id" 2>/dev/null) || continue
            eval "$geometry"
            if "$@"; then
                FOUND_ID=$id FOUND_X=$X FOUND_Y=$Y FOUND_W=$WIDTH FOUND_H=$HEIGHT
                return 0
            fi
        done
        sleep 0.1 # between two looks
    done
    return 1
}

# Waits until a window has the keyboard, which the program gives it once
# the window is mapped: keys sent before would go elsewhere.
e2e_wait_focus() { # window id
    local end=$((SECONDS + E2E_PATIENCE))
    until [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; do
        [ $SECONDS -le $end ] || return 1
        sleep 0.1 # between two looks
    done
}

# The same, making the window found the window under test.
e2e_wait_for() { # fits-function, then its arguments
    e2e_poll_windows "$@" || return 1
    WIN_ID=$FOUND_ID WIN_X=$FOUND_X WIN_Y=$FOUND_Y
}

# A window of exactly this size: the start screen and the menu, which have
# no menu bar.
e2e_sized() {
    [ "$WIDTH" = "$1" ] && [ "$HEIGHT" = "$2" ] && MENU_H=0
}

# An exercise window: its client area plus a menu bar.
e2e_client_sized() {
    [ "$WIDTH" = "$1" ] && [ "$HEIGHT" -gt "$2" ] && [ "$HEIGHT" -lt $(($2 + 60)) ] &&
        MENU_H=$((HEIGHT - $2))
}

e2e_wait_window() { e2e_wait_for e2e_sized "$1" "$2"; } # width height
e2e_wait_exercise() { e2e_wait_for e2e_client_sized "$1" "$2"; } # client width, client height

# Screen coordinates of a point of the window's client area (below the menu bar).
e2e_sx() { echo $((WIN_X + $1)); }
e2e_sy() { echo $((WIN_Y + MENU_H + $1)); }

# Where a press of a gesture comes down.
e2e_press_at() { # screen x y
    xdotool mousemove "$1" "$2"
    # The pointer comes to rest before it presses, as a hand does.
    sleep 0.05
}

# A click at a screen point: what it does is then waited for where it shows.
e2e_click_screen() { # screen x y
    e2e_press_at "$1" "$2"
    xdotool click 1
}

e2e_click() { e2e_click_screen "$(e2e_sx "$1")" "$(e2e_sy "$2")"; } # client x y

# Clicks a point given in window coordinates, menu bar included.
e2e_click_window() { e2e_click_screen $((WIN_X + $1)) $((WIN_Y + $2)); }

# A real drag with the mouse, in the steps that X and Qt both follow.
e2e_drag() { # from x y, to x y (client coordinates)
    local sx sy tx ty
    sx=$(e2e_sx "$1")
    sy=$(e2e_sy "$2")
    tx=$(e2e_sx "$3")
    ty=$(e2e_sy "$4")
    # The pauses are the gesture's own: the drag starts, moves over the
    # window and rests on the place before the release, as a hand's does,
    # and X and Qt see each step. The next move follows the drop at once.
    e2e_press_at "$sx" "$sy"
    xdotool mousedown 1
    sleep 0.05
    xdotool mousemove $((sx + 20)) "$sy"
    sleep 0.15
    xdotool mousemove $((tx - 10)) "$ty"
    sleep 0.15
    xdotool mousemove "$tx" "$ty"
    sleep 0.15
    xdotool mouseup 1
}

E2E_SHOT=""
E2E_SHOTS=0
e2e_shot() {
    # Numbered, so the pictures of a failed run read as a story; PPM crops fast.
    E2E_SHOTS=$((E2E_SHOTS + 1))
    E2E_SHOT=$(printf '%s/shot-%04d.ppm' "$E2E_TMP" $E2E_SHOTS)
    import -window root "$E2E_SHOT"
}

# Looks at the screen again and again until a command holds of what it
# shows, as a person waits to see a count or a name appear: false after
# E2E_PATIENCE seconds. The last look stays in E2E_SHOT for more checks.
E2E_LOOK=e2e_shot
e2e_until() { # command, then its arguments
    local end=$((SECONDS + E2E_PATIENCE))
    $E2E_LOOK
    until "$@"; do
        [ $SECONDS -le $end ] || return 1
        $E2E_LOOK
    done
}

# e2e_check for what the screen comes to show.
e2e_see() { # description, then a command that must come to succeed
    local what=$1
    shift
    if e2e_until "$@"; then e2e_pass "$what"; else e2e_fail "$what"; fi
}

# What a box of the client area reads, in e2e_plain's form, or a number in it.
e2e_reads() { [ "$(e2e_plain "$(e2e_read "$1" "$2" "$3" "$4")")" = "$5" ]; } # x y w h text
e2e_reads_number() { [ "$(e2e_read_number "$1" "$2" "$3" "$4")" = "$5" ]; } # x y w h n
e2e_pixel_is() { [ "$(e2e_pixel "$1" "$2")" = "$3" ]; } # x y #rrggbb
e2e_pixel_is_not() { [ "$(e2e_pixel "$1" "$2")" != "$3" ]; } # x y #rrggbb
# "avanti" (its box x y w h): black arrow and caption when enabled, grey when not.
e2e_avanti_enabled() { [ "$(e2e_count_colour "$@" "#000000")" -gt 30 ]; }
e2e_avanti_disabled() { ! e2e_avanti_enabled "$@" && [ "$(e2e_count_colour "$@" "#bebebe")" -gt 30 ]; }

# True when a box of the client area (x y w h, border included) holds no text.
e2e_blank() {
    local spread
    spread=$(convert "$E2E_SHOT" -crop "$(($3 - 4))x$(($4 - 4))+$(($(e2e_sx "$1") + 2))+$(($(e2e_sy "$2") + 2))" \
        +repage -colorspace Gray -format '%[fx:maxima-minima]' info:)
    awk "BEGIN { exit !($spread < 0.25) }"
}

# Colour of one client-area pixel of the last screenshot, as #RRGGBB.
e2e_pixel() {
    convert "$E2E_SHOT" -depth 8 -format "#%[hex:p{$(e2e_sx "$1"),$(e2e_sy "$2")}]" info: | cut -c1-7 | tr "A-F" "a-f"
}

# Reads the text inside a box of the client area (x y w h, border included).
e2e_read() {
    local x y w h crop
    x=$(($(e2e_sx "$1") + 2))
    y=$(($(e2e_sy "$2") + 2))
    w=$(($3 - 4))
    h=$(($4 - 4))
    crop="$E2E_TMP/crop.pgm"
    # Tesseract reads an empty box as a stray letter: look at the contrast first.
    if e2e_blank "$1" "$2" "$3" "$4"; then
        echo ""
        return
    fi
    convert "$E2E_SHOT" -crop "${w}x${h}+${x}+${y}" +repage -colorspace Gray -resize 300% \
        -bordercolor white -border 20 -depth 8 "$crop"
    tesseract "$crop" - -l ita --psm 7 2>/dev/null | tr -d '\f' | sed 's/^[[:space:]]*//;s/[[:space:]]*$//'
}

# Reads a number written in a box of the client area.
e2e_read_number() { # x y w h
    local crop="$E2E_TMP/number.pgm"
    e2e_blank "$1" "$2" "$3" "$4" && return
    convert "$E2E_SHOT" -crop "$(($3 - 4))x$(($4 - 4))+$(($(e2e_sx "$1") + 2))+$(($(e2e_sy "$2") + 2))" \
        +repage -colorspace Gray -threshold 50% -resize 400% -bordercolor white -border 30 -depth 8 "$crop"
    local n
    n=$(tesseract "$crop" - --psm 7 -c tessedit_char_whitelist=0123456789 2>/dev/null | tr -cd "0-9")
    # A lone 0 is sometimes missed on one line and found in a block.
    [ -n "$n" ] || n=$(tesseract "$crop" - --psm 6 -c tessedit_char_whitelist=0123456789 2>/dev/null | tr -cd "0-9")
    echo "$n"
}

# Lower case, accents and stray marks removed, for comparing what was read.
e2e_plain() {
    echo "$1" | sed 's/[ìíÌ]/i/g;s/[èéÈ]/e/g;s/[àÀ]/a/g;s/[òÒ]/o/g;s/[ùÙ]/u/g' | tr 'A-Z' 'a-z' |
        LC_ALL=C tr -cd 'a-z0-9'
}

# Number of pixels of a client-area box close to a colour.
e2e_count_colour() { # x y w h colour
    convert "$E2E_SHOT" -crop "${3}x${4}+$(e2e_sx "$1")+$(e2e_sy "$2")" +repage -alpha off \
        -fuzz 18% -transparent "$5" -alpha extract -negate -format '%[fx:round(mean*w*h)]' info:
}

# Finds a word in a box of the screen (screen coordinates) and prints the
# screen position of its centre.
e2e_find_word() { # x y w h word
    local crop="$E2E_TMP/words.pgm"
    convert "$E2E_SHOT" -crop "${3}x${4}+${1}+${2}" +repage -colorspace Gray -resize 300% -depth 8 "$crop"
    tesseract "$crop" - -l ita --psm 11 tsv 2>/dev/null |
        awk -F'\t' -v want="$5" -v x="$1" -v y="$2" '
            NR > 1 && $12 != "" {
                word = tolower($12); gsub(/[^a-zàèéìòù?]/, "", word)
                if (word == tolower(want)) { printf "%d %d\n", x + ($7 + $9 / 2) / 3, y + ($8 + $10 / 2) / 3; exit }
            }'
}

# Clicks an item of the window's menu bar, found by reading it.
E2E_AT=""
e2e_menu_word() { E2E_AT=$(e2e_find_word "$WIN_X" "$WIN_Y" 687 "$MENU_H" "$1"); [ -n "$E2E_AT" ]; }
e2e_menu() { # word as written on the menu bar
    e2e_until e2e_menu_word "$1" || { e2e_fail "menu bar item '$1' found"; return 1; }
    # shellcheck disable=SC2086
    e2e_click_screen $E2E_AT
}

# The same for an item that opens a menu: waits until it is open.
POPUP_ID=""
e2e_not_window_under_test() { [ "$WINDOW" != "$WIN_ID" ]; }
e2e_menu_open() { # word as written on the menu bar
    e2e_menu "$1" || return 1
    e2e_poll_windows e2e_not_window_under_test || { e2e_fail "the menu '$1' opens"; return 1; }
    POPUP_ID=$FOUND_ID
}
e2e_menu_closed() { e2e_window_gone "$POPUP_ID"; }

# F10 lights the first item of the exercise's menu bar and Esc puts it out:
# once it is lit, the program has handled everything sent before, even what
# shows nothing (a drop on the background).
e2e_lit_pixels() { e2e_count_colour 2 $((2 - MENU_H)) 100 $((MENU_H - 4)) "#308cc6"; }
e2e_menu_lit() { [ "$(e2e_lit_pixels)" -gt 50 ]; }
e2e_menu_unlit() { [ "$(e2e_lit_pixels)" -lt 10 ]; }
e2e_everything_handled() {
    xdotool key F10
    e2e_until e2e_menu_lit || { e2e_fail "F10 lights the menu bar"; return 1; }
    xdotool key Escape
    e2e_until e2e_menu_unlit || e2e_fail "Esc puts the menu bar out"
}

# Waits for a message box: a window of the program other than the one under test.
DLG_ID=""
DLG_X=0
DLG_Y=0
DLG_W=0
DLG_H=0
# Any window of the program but the one under test, big enough for a box.
e2e_other_window() {
    [ "$WINDOW" != "$WIN_ID" ] && [ "$WIDTH" -gt 150 ] && [ "$HEIGHT" -gt 60 ]
}
e2e_wait_dialog() {
    e2e_poll_windows e2e_other_window || return 1
    DLG_ID=$FOUND_ID DLG_X=$FOUND_X DLG_Y=$FOUND_Y DLG_W=$FOUND_W DLG_H=$FOUND_H
}

e2e_window_gone() { # window id
    local end=$((SECONDS + E2E_PATIENCE))
    while [ $SECONDS -le $end ]; do
        xdotool getwindowgeometry "$1" >/dev/null 2>&1 || return 0
        xdotool search --onlyvisible --class tempiolo 2>/dev/null | grep -qx "$1" || return 0
        sleep 0.1 # between two looks
    done
    return 1
}
e2e_dialog_gone() { e2e_window_gone "$DLG_ID"; }

# Reads a box of the screen in screen coordinates, as one line.
e2e_read_screen() { # x y w h
    local crop="$E2E_TMP/screen-crop.pgm"
    convert "$E2E_SHOT" -crop "${3}x${4}+${1}+${2}" +repage -colorspace Gray -resize 300% \
        -bordercolor white -border 20 -depth 8 "$crop"
    tesseract "$crop" - -l ita --psm 7 2>/dev/null | tr -d '\f' | sed 's/^[[:space:]]*//;s/[[:space:]]*$//'
}

# The message box's question, right of its icon.
e2e_dialog_text() {
    e2e_read_screen $((DLG_X + 50)) $((DLG_Y + 6)) $((DLG_W - 56)) 28
}

# A message box button counted from the right (1 = rightmost): its caption
# (read beside its icon) and its centre.
e2e_dialog_button_caption() {
    local right=$((DLG_X + DLG_W - 12 - (${1} - 1) * 86))
    e2e_read_screen $((right - 56)) $((DLG_Y + DLG_H - 35)) 54 23
}
e2e_dialog_click() {
    local right=$((DLG_X + DLG_W - 12 - (${1} - 1) * 86))
    e2e_click_screen $((right - 40)) $((DLG_Y + DLG_H - 23))
}

# Starts X and the program, passes the start screen and opens one exercise
# from the menu: its button's centre and its client height, and a name for
# the messages.
e2e_open_exercise() { # program, button x y, client height, name
    e2e_start_x
    e2e_start_app "$1"
    e2e_wait_window 653 642 || { e2e_fail "the start screen appears"; e2e_finish; }
    e2e_click_window 307 347
    e2e_wait_window 646 568 || { e2e_fail "Avvio leads to the menu"; e2e_finish; }
    e2e_click_window "$2" "$3"
    e2e_wait_exercise 687 "$4" || { e2e_fail "the menu opens $5"; e2e_finish; }
}
