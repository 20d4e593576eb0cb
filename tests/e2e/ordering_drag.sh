#!/usr/bin/env bash
# "Riordina i giorni (1)" played with the real mouse: a right drop, a wrong
# drop, a drop on nothing and a tap right after a drop, each judged from
# what the screen shows; then, after "nomi in inglese" on the menu, one
# right drop in English. Then a child of a class answers and the program is
# killed; the child confuses two months, and the next day "Ripasso" asks
# them again.
source "$(dirname "$0")/lib.sh"
APP=$1

e2e_open_exercise "$APP" 156 48 513 "Riordina i giorni (1)"

days=(lunedi martedi mercoledi giovedi venerdi sabato domenica)
name_top() { echo $((7 + 49 * $1)); }
place_top() { echo $((7 + 49 * $1)); }

# Finds the row of each day of `days` in the names column.
declare -A row_of
read_rows() {
    row_of=()
    local k d text
    for k in 0 1 2 3 4 5 6; do
        text=$(e2e_plain "$(e2e_read 7 "$(name_top $k)" 167 25)")
        for d in 0 1 2 3 4 5 6; do
            [ "$text" = "${days[$d]}" ] && row_of[$d]=$k
        done
    done
}

seven_rows() { read_rows; [ "${#row_of[@]}" -eq 7 ]; }
e2e_see "all seven days are read in the names column" seven_rows
[ "${#row_of[@]}" -eq 7 ] || e2e_finish

drag_day_to() { # day index, target x y
    e2e_drag 90 $(($(name_top "${row_of[$1]}") + 12)) "$2" "$3"
}
place_centre_x=279
place_y() { echo $(($(place_top "$1") + 12)); }
name_blank() { e2e_blank 7 "$(name_top "${row_of[$1]}")" 167 25; } # day index
# The picked-up mark is a thick black frame: black just inside the name's edge.
marked() { e2e_pixel_is 9 $(($(name_top "${row_of[$1]}") + 12)) "#000000"; } # day index

# Right: lunedì on the first place.
drag_day_to 0 $place_centre_x "$(place_y 0)"
e2e_see "lunedì lands on the first place" e2e_reads 196 7 167 25 lunedi
e2e_see "its box in the names column is empty" name_blank 0
e2e_see "Esatti reads 1" e2e_reads_number 512 96 65 41 1
e2e_check "the background is not black" e2e_pixel_is_not 640 480 "#000000"

# Wrong: martedì on the fourth place.
drag_day_to 1 $place_centre_x "$(place_y 3)"
e2e_see "a wrong drop turns the window black" e2e_pixel_is 640 480 "#000000"
e2e_see "Errati reads 1" e2e_reads_number 520 136 57 41 1
e2e_check "the fourth place stays empty" test -z "$(e2e_read 196 "$(place_top 3)" 167 25)"
e2e_check "martedì stays in its row" e2e_reads 7 "$(name_top "${row_of[1]}")" 167 25 martedi

# Released on nothing: no answer at all.
drag_day_to 1 640 480
e2e_everything_handled
e2e_shot
e2e_check "a drop on the background counts nothing" e2e_reads_number 520 136 57 41 1
e2e_check "and leaves the window black" e2e_pixel_is 640 480 "#000000"

# Right again: the colour comes back.
drag_day_to 1 $place_centre_x "$(place_y 1)"
e2e_see "martedì lands on the second place" e2e_reads 196 56 167 25 martedi
e2e_see "Esatti reads 2" e2e_reads_number 512 96 65 41 2
e2e_see "a right answer brings a colour back" e2e_pixel_is_not 640 480 "#000000"

# A drop, then at once one jump onto the next name and a tap, as a finger
# does: the tap is not lost.
drag_day_to 2 $place_centre_x "$(place_y 2)"
xdotool mousemove "$(e2e_sx 90)" "$(e2e_sy $(($(name_top "${row_of[3]}") + 12)))" click 1
e2e_see "giovedì, tapped right after a drop, is picked up" marked 3
e2e_click $place_centre_x "$(place_y 3)"
e2e_see "and lands on the fourth place with the next tap" \
    e2e_reads 196 "$(place_top 3)" 167 25 giovedi
e2e_see "Esatti reads 4" e2e_reads_number 512 96 65 41 4
e2e_check "the program is still running" e2e_app_running

# Back to the menu (Esci, Sì), "nomi in inglese", the same window in English.
e2e_menu Esci
e2e_wait_dialog && e2e_dialog_click 2
e2e_wait_window 646 568 || { e2e_fail "Esci leads back to the menu"; e2e_finish; }
e2e_click_window 340 172
e2e_click_window 156 48
e2e_wait_exercise 687 513 || { e2e_fail "the menu opens the English window"; e2e_finish; }
days=(monday tuesday wednesday thursday friday saturday sunday)
e2e_see "the seven days are read in English" seven_rows
[ "${#row_of[@]}" -eq 7 ] || e2e_finish
drag_day_to 0 $place_centre_x "$(place_y 0)"
e2e_see "MONDAY lands on the first place" e2e_reads 196 7 167 25 monday
e2e_see "Esatti reads 1" e2e_reads_number 512 96 65 41 1

# A child of a class picks their picture on "Chi gioca?", answers, and the
# program is killed (kill -9) as soon as the answer is counted on the
# screen: the export holds it.
kill "$E2E_APP_PID" && wait "$E2E_APP_PID" 2>/dev/null
mkdir -p "$E2E_TMP/data/Tempiolo"
printf '{"format":1,"children":[{"id":"4b0e2f6a-9d1c-4e2b-8f00-0a1b2c3d4e5f","name":"Niccolò","picture":"gatto"}]}\n' \
    >"$E2E_TMP/data/Tempiolo/classe.json"
e2e_start_app "$APP"
e2e_wait_window 653 642 && e2e_click_window 307 347
e2e_wait_window 646 600 || { e2e_fail "Avvio leads to Chi gioca?"; e2e_finish; }
e2e_click_window 169 332
e2e_wait_window 646 568 || { e2e_fail "picking a child leads to the menu"; e2e_finish; }
e2e_click_window 156 48
e2e_wait_exercise 687 513 || { e2e_fail "the menu opens the exercise for the child"; e2e_finish; }
e2e_see "the child's window shows the seven days" seven_rows
drag_day_to 0 $place_centre_x "$(place_y 0)"
e2e_see "the child's answer is counted" e2e_reads_number 512 96 65 41 1
kill -9 "$E2E_APP_PID"
XDG_DATA_HOME="$E2E_TMP/data" "$APP" --esporta-risultati "$E2E_TMP/risultati.csv"
e2e_check "the export holds the answer given just before the kill" \
    grep -qi "^[0-9-]* [0-9:]*;Niccolò;.*;Riordina i giorni (1);en;monday;monday;sì;trascinamento;" \
    "$E2E_TMP/risultati.csv"

# The child puts JULY on JUNE's place in "Riordina i mesi (1)". The same
# day nothing is due; the next day (the clock moved on for the program)
# "Ripasso" is on the menu, and its round holds both names between MAY and
# AUGUST.
months=(january february march april may june july august september october november december)
month_top() { echo $((7 + 35 * $1)); }
declare -A month_row
read_month_rows() {
    month_row=()
    local k m text
    for k in $(seq 0 11); do
        text=$(e2e_plain "$(e2e_read 14 "$(month_top "$k")" 167 25)")
        for m in $(seq 0 11); do
            [ "$text" = "${months[$m]}" ] && month_row[$m]=$k
        done
    done
}
july_read() { read_month_rows; [ -n "${month_row[6]:-}" ]; }
play_as_niccolo() { # then the arguments of the program's start
    e2e_wait_window 653 642 && e2e_click_window 307 347
    e2e_wait_window 646 600 || { e2e_fail "Avvio leads to Chi gioca?"; e2e_finish; }
    e2e_click_window 169 332
    e2e_wait_window 646 568 || { e2e_fail "picking a child leads to the menu"; e2e_finish; }
}
ripasso_on_menu() { e2e_reads 312 210 281 49 ripasso; }
# The menu drawn, and nothing where Ripasso would be.
menu_without_ripasso() { e2e_reads 312 24 281 49 usailcalendario && e2e_blank 312 210 281 49; }
e2e_start_app "$APP"
play_as_niccolo
e2e_see "nothing missed yet: no Ripasso on the menu" menu_without_ripasso
e2e_click_window 156 216
e2e_wait_exercise 687 513 || { e2e_fail "the menu opens Riordina i mesi (1)"; e2e_finish; }
e2e_see "JULY is read in the names column" july_read
# JUNE's place stands a little lower than the others.
e2e_drag 97 $(($(month_top "${month_row[6]:-0}") + 12)) 307 196
e2e_see "JULY on JUNE's place is counted wrong" e2e_reads_number 520 160 57 41 1
e2e_menu Esci
e2e_wait_dialog && e2e_dialog_click 2
e2e_wait_window 646 568 || { e2e_fail "Esci leads back to the menu"; e2e_finish; }
e2e_see "the same day nothing is due yet" menu_without_ripasso
kill "$E2E_APP_PID" && wait "$E2E_APP_PID" 2>/dev/null

LD_PRELOAD=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1 FAKETIME="+1d" \
    FAKETIME_DONT_FAKE_MONOTONIC=1 e2e_start_app "$APP"
play_as_niccolo
e2e_see "the next day Ripasso is on the menu" ripasso_on_menu
e2e_click_window 452 234
e2e_wait_exercise 687 513 || { e2e_fail "Ripasso opens its window"; e2e_finish; }
e2e_see "its round begins with MAY written in the top place" e2e_reads 196 7 167 25 may
review_cards() {
    local k text cards=""
    for k in 0 1 2 3; do
        text=$(e2e_plain "$(e2e_read 7 $((7 + 49 * k)) 167 25)")
        [ -n "$text" ] && cards="$cards $text"
    done
    [ "$(echo $cards | tr ' ' '\n' | sort | tr '\n' ' ')" = "august july june " ]
}
e2e_see "and JUNE, JULY and AUGUST to place" review_cards
e2e_check "the program is still running" e2e_app_running

e2e_finish
