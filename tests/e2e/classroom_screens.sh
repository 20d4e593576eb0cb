#!/usr/bin/env bash
# Classroom screens. On a 1920 x 1080 screen with a window manager,
# "tempiolo --schermo-intero" opens the start screen, the menu and
# "Riordina i giorni (1)" full screen with the design scaled as one picture;
# a day is dragged at the scaled places and judged, and the texts are read
# back from the screen. Then the same window in a normal run at
# QT_SCALE_FACTOR=2.
source "$(dirname "$0")/lib.sh"
APP=$1
command -v openbox >/dev/null || { echo "missing openbox"; exit 1; }

days=(lunedi martedi mercoledi giovedi venerdi sabato domenica)
# Scale and margins of the window under test: screen = WIN + margin + design * S.
S=1
OX=0
OY=0
to_screen() { # designed client x y
    awk -v s="$S" -v ox="$OX" -v oy="$OY" -v x="$1" -v y="$2" \
        'BEGIN { printf "%d %d\n", ox + x * s + 0.5, oy + y * s + 0.5 }'
}
# Reads a designed box of the client area at its scaled place.
read_box() { # x y w h
    local at w h
    at=$(to_screen "$1" "$2")
    w=$(awk -v s="$S" -v v="$3" 'BEGIN { printf "%d", v * s }')
    h=$(awk -v s="$S" -v v="$4" 'BEGIN { printf "%d", v * s }')
    # Inside the border, which grows with the scale.
    local inset
    inset=$(awk -v s="$S" 'BEGIN { printf "%d", 2 * s + 2 }')
    # shellcheck disable=SC2086
    set -- $at
    e2e_read_screen $(($1 + inset)) $(($2 + inset)) $((w - 2 * inset)) $((h - 2 * inset))
}
# True when a designed box, inside its border, holds no text.
blank_box() { # x y w h
    local at w h inset spread
    at=$(to_screen "$1" "$2")
    w=$(awk -v s="$S" -v v="$3" 'BEGIN { printf "%d", v * s }')
    h=$(awk -v s="$S" -v v="$4" 'BEGIN { printf "%d", v * s }')
    inset=$(awk -v s="$S" 'BEGIN { printf "%d", 2 * s + 2 }')
    # shellcheck disable=SC2086
    set -- $at
    spread=$(convert "$E2E_SHOT" -crop "$((w - 2 * inset))x$((h - 2 * inset))+$(($1 + inset))+$(($2 + inset))" \
        +repage -colorspace Gray -format '%[fx:maxima-minima]' info:)
    awk "BEGIN { exit !($spread < 0.25) }"
}
# The pauses are the gesture's own, as in e2e_drag; what the drop does is
# waited for where it shows.
drag_screen() { # from x y, to x y (screen)
    e2e_press_at "$1" "$2"
    xdotool mousedown 1
    sleep 0.1
    xdotool mousemove $(($1 + 20)) "$2"
    sleep 0.2
    xdotool mousemove $(($3 - 10)) "$4"
    sleep 0.2
    xdotool mousemove "$3" "$4"
    sleep 0.2
    xdotool mouseup 1
}
# The scale of a window of this size showing a design of that size below a
# menu bar of height MENU (0 for the start screen and the menu).
fit() { # window-x window-y window-w window-h design-w design-h menu
    read -r S OX OY <<<"$(awk -v x="$1" -v y="$2" -v w="$3" -v h="$4" -v dw="$5" -v dh="$6" -v m="$7" 'BEGIN {
        ch = h - m; s = w / dw; if (ch / dh < s) s = ch / dh; if (s < 1) s = 1
        printf "%f %d %d\n", s, x + (w - int(dw * s + 0.5)) / 2, y + m + (ch - int(dh * s + 0.5)) / 2 }')"
}
# Height of the menu bar of a window: the rows above the first one in the
# window's own colour, read at its left edge in the last screenshot.
menu_height() { # window-x window-y window-h
    local colour
    colour=$(convert "$E2E_SHOT" -depth 8 -format "%[hex:p{$(($1 + 3)),$(($2 + $3 - 3))}]" info:)
    convert "$E2E_SHOT" -crop "1x80+$(($1 + 3))+$2" +repage -depth 8 txt:- |
        awk -v want="#${colour:0:6}" 'NR > 1 && index($0, want) { split($1, at, "[,:]"); print at[2]; exit }'
}
full_screen() { [ "$WIDTH" = 1920 ] && [ "$HEIGHT" = 1080 ]; }
box_reads() { [ "$(e2e_plain "$(read_box "$1" "$2" "$3" "$4")")" = "$5" ]; } # x y w h text
# Plays lunedì onto the first place and checks it from the screen.
play_first_day() { # label for the messages
    row=-1
    monday_row() {
        local k
        for k in 0 1 2 3 4 5 6; do
            box_reads 7 $((7 + 49 * k)) 167 25 lunedi && row=$k
        done
        [ "$row" -ge 0 ]
    }
    e2e_see "$1: lunedì is read in the names column" monday_row
    [ "$row" -ge 0 ] || return
    # shellcheck disable=SC2046
    drag_screen $(to_screen 90 $((19 + 49 * row))) $(to_screen 279 19)
    e2e_see "$1: lunedì lands on the first place" box_reads 196 7 167 25 lunedi
    e2e_see "$1: its box in the names column is empty" blank_box 7 $((7 + 49 * row)) 167 25
}

# --- Full screen on a whiteboard --------------------------------------------
E2E_SCREEN=1920x1080x24 e2e_start_x
openbox >/dev/null 2>&1 &
# Openbox is running once it has said so on the root window.
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }
e2e_check "openbox starts" e2e_until wm_ready
e2e_start_app "$APP" --schermo-intero
e2e_wait_for full_screen || { e2e_fail "the start screen fills the screen"; e2e_finish; }
e2e_pass "the start screen fills the screen"
# Every window fills the screen: the next one is told apart by its id.
shown_before=""
another_full_screen() { full_screen && [ "$WINDOW" != "$shown_before" ]; }
next_full_screen() { shown_before=$WIN_ID; e2e_wait_for another_full_screen; }
fit 0 0 1920 1080 653 642 0
e2e_see "the title reads Tempiolo, scaled" box_reads 49 63 501 233 tempiolo
# shellcheck disable=SC2046
e2e_click_screen $(to_screen 307 347)
next_full_screen || { e2e_fail "Avvio leads to the menu"; e2e_finish; }
fit 0 0 1920 1080 646 568 0
e2e_see "the menu fills the screen: its button reads Riordina i giorni (1)" \
    box_reads 16 24 281 49 riordinaigiorni1
# shellcheck disable=SC2046
e2e_click_screen $(to_screen 156 48)
next_full_screen || { e2e_fail "Riordina i giorni (1) fills the screen"; e2e_finish; }
# The menu bar keeps its size: where the window's colour begins below it.
menu_found() { menu=$(menu_height 0 0 1080); [ "${menu:-0}" -gt 10 ] && [ "${menu:-99}" -lt 40 ]; }
e2e_until menu_found
e2e_check "a menu bar of the desktop's height is at the top (${menu:-?} px)" test "${menu:-0}" -gt 10 -a "${menu:-99}" -lt 40
fit 0 0 1920 1080 687 513 "${menu:-19}"
e2e_check "the scale fills the height ($S)" awk "BEGIN { exit !($S > 2) }"
play_first_day "full screen"
e2e_see "Esatti reads 1, scaled" box_reads 512 96 65 41 1
kill "$E2E_APP_PID" 2>/dev/null
wait "$E2E_APP_PID" 2>/dev/null

# --- A normal run at twice the pixel density --------------------------------
QT_SCALE_FACTOR=2 e2e_start_app "$APP"
doubled() { [ "$WIDTH" = 1306 ] && [ "$HEIGHT" = 1284 ]; }
e2e_wait_for doubled || { e2e_fail "at QT_SCALE_FACTOR=2 the start screen is 1306 x 1284 pixels"; e2e_finish; }
e2e_pass "at QT_SCALE_FACTOR=2 the start screen is 1306 x 1284 pixels"
S=2 OX=$WIN_X OY=$WIN_Y
# shellcheck disable=SC2046
e2e_click_screen $(to_screen 307 347)
menu_window() { [ "$WIDTH" = 1292 ] && [ "$HEIGHT" = 1136 ]; }
e2e_wait_for menu_window || { e2e_fail "the menu opens at twice its size"; e2e_finish; }
S=2 OX=$WIN_X OY=$WIN_Y
# shellcheck disable=SC2046
e2e_click_screen $(to_screen 156 48)
doubled_exercise() { [ "$WIDTH" = 1374 ] && [ "$HEIGHT" -gt 1026 ]; }
e2e_wait_for doubled_exercise || { e2e_fail "Riordina i giorni (1) opens at twice its size"; e2e_finish; }
doubled_menu() { menu=$(menu_height "$WIN_X" "$WIN_Y" "$FOUND_H"); [ "${menu:-0}" -gt 10 ]; }
e2e_until doubled_menu
S=2 OX=$WIN_X OY=$((WIN_Y + menu))
play_first_day "QT_SCALE_FACTOR=2"
e2e_check "the program is still running" e2e_app_running
e2e_finish
