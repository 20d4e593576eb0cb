#!/usr/bin/env bash
# The program on Qt's own Wayland platform, as on a GNOME Wayland desktop:
# Weston with its stacking desktop shell, on Xvfb so that xdotool's pointer
# reaches it (Weston's headless backend has no seat). The start screen, the
# menu, "Riordina i giorni (1)", a drag, a tap right after its drop and a
# tap on a place, all judged from the screen; no warning from Qt.
source "$(dirname "$0")/lib.sh"
APP=$1
command -v weston >/dev/null || { echo "missing weston"; exit 1; }

# Weston's output is the top-left 1024 x 768 of a larger X screen, so that
# the pointer can leave it.
E2E_SCREEN=1100x800x24 e2e_start_x
cat >"$E2E_TMP/weston.ini" <<'EOF'
[core]
idle-time=0
[shell]
background-color=0xff000000
panel-position=none
locking=false
animation=none
close-animation=none
focus-animation=none
startup-animation=none
EOF
weston --backend=x11-backend.so --use-pixman --width=1024 --height=768 --socket=tempiolo-wayland \
    --config="$E2E_TMP/weston.ini" >"$E2E_TMP/weston.log" 2>&1 &
WESTON_PID=$!
trap 'kill "$WESTON_PID" 2>/dev/null; e2e_cleanup' EXIT
export WAYLAND_DISPLAY=tempiolo-wayland
weston_ready() {
    local end=$((SECONDS + E2E_PATIENCE))
    while [ $SECONDS -le $end ]; do
        weston-info 2>/dev/null | grep -q "capabilities: pointer" && return 0
        sleep 0.1 # between two looks
    done
    return 1
}
weston_ready || { cat "$E2E_TMP/weston.log"; e2e_fail "Weston starts with a pointer"; e2e_finish; }
# Weston follows the pointer only once it has come in from outside: a
# gesture, out and back in.
xdotool mousemove 1090 790 sleep 0.1 mousemove 512 384
# No X display for the program: it must not fall back to xcb.
QT_QPA_PLATFORM=wayland e2e_start_app env -u DISPLAY "$APP"

# Qt cannot tell where a window is on Wayland: the screen can. Qt draws a
# frame of one grey round it; an opening by a long line leaves the frame's
# top and bottom and drops the pointer, whose edges have every grey.
FRAME_LEFT=3
FRAME_TOP=30
wl_wait_window() { # client width, client height or the least one with a menu bar
    local end=$((SECONDS + E2E_PATIENCE)) w h x y
    while [ $SECONDS -le $end ]; do
        e2e_shot
        read -r w h x y < <(convert "$E2E_SHOT" -crop 1024x768+0+0 +repage -fill black +opaque "#efefef" \
            -morphology Open Rectangle:50x1 -format "%@" info: 2>/dev/null | tr "x+" "  ")
        w=$((w - 2 * FRAME_LEFT)) h=$((h - FRAME_TOP - FRAME_LEFT))
        if [ "$w" = "$1" ] && [ "$h" -ge "$2" ] && [ "$h" -lt $(($2 + 60)) ]; then
            WIN_X=$((x + FRAME_LEFT)) WIN_Y=$((y + FRAME_TOP)) MENU_H=$((h - $2))
            return 0
        fi
    done
    return 1
}
# Weston draws the pointer into the picture: out of the way before the
# looks, which go on until Weston has drawn it there.
wl_look() {
    xdotool mousemove "$(e2e_sx 640)" "$(e2e_sy 500)"
    e2e_shot
}

e2e_check "the start screen appears" wl_wait_window 653 642
e2e_click_window 307 347
e2e_check "Avvio leads to the menu" wl_wait_window 646 568
e2e_click_window 156 48
wl_wait_window 687 513 || { e2e_fail "the menu opens Riordina i giorni (1)"; e2e_finish; }
e2e_pass "the menu opens Riordina i giorni (1)"

days=(lunedi martedi mercoledi giovedi venerdi sabato domenica)
E2E_LOOK=wl_look
declare -A row_of
seven_rows() {
    row_of=()
    local k d text
    for k in 0 1 2 3 4 5 6; do
        text=$(e2e_plain "$(e2e_read 7 $((7 + 49 * k)) 167 25)")
        for d in 0 1 2 3 4 5 6; do
            [ "$text" = "${days[$d]}" ] && row_of[$d]=$k
        done
    done
    [ "${#row_of[@]}" -eq 7 ]
}
e2e_see "all seven days are read in the names column" seven_rows
[ "${#row_of[@]}" -eq 7 ] || e2e_finish

# A drag of lunedì, then at once a jump onto martedì and a click, then,
# once martedì shows it is picked up (a thick black frame), a click on the
# second place.
e2e_drag 90 $((19 + 49 * row_of[0])) 279 19
xdotool mousemove "$(e2e_sx 90)" "$(e2e_sy $((19 + 49 * row_of[1])))" click 1
e2e_see "martedì, tapped right after the drop, is picked up" \
    e2e_pixel_is 9 $((19 + 49 * row_of[1])) "#000000"
e2e_click 279 68
e2e_see "lunedì is dropped on the first place" e2e_reads 196 7 167 25 lunedi
e2e_see "martedì is tapped onto the second place" e2e_reads 196 56 167 25 martedi
e2e_see "Esatti reads 2" e2e_reads_number 512 96 65 41 2
e2e_check "the program is still running" e2e_app_running
# Only the sound card is missing here; Qt has nothing to say about Wayland.
e2e_check "Qt warns of nothing" \
    test -z "$(grep -vE "PulseAudioService|No audio device" "$E2E_TMP/app.log")"
grep -vE "PulseAudioService|No audio device" "$E2E_TMP/app.log"
e2e_finish
