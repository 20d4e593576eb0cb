#!/usr/bin/env bash
# "Riordina i giorni (1)" played with the real mouse: a right drop, a wrong
# drop, a drop on nothing and a tap right after a drop, each judged from
# what the screen shows; then, after "nomi in inglese" on the menu, one
# right drop in English.
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

e2e_shot
read_rows
e2e_check "all seven days are read in the names column" test "${#row_of[@]}" -eq 7
[ "${#row_of[@]}" -eq 7 ] || e2e_finish

drag_day_to() { # day index, target x y
    e2e_drag 90 $(($(name_top "${row_of[$1]}") + 12)) "$2" "$3"
}
place_centre_x=279
place_y() { echo $(($(place_top "$1") + 12)); }

# Right: lunedì on the first place.
drag_day_to 0 $place_centre_x "$(place_y 0)"
e2e_shot
e2e_check "lunedì lands on the first place" test "$(e2e_plain "$(e2e_read 196 7 167 25)")" = lunedi
e2e_check "its box in the names column is empty" test -z "$(e2e_read 7 "$(name_top "${row_of[0]}")" 167 25)"
e2e_check "Esatti reads 1" test "$(e2e_read_number 512 96 65 41)" = 1
e2e_check "the background is not black" test "$(e2e_pixel 640 480)" != "#000000"

# Wrong: martedì on the fourth place.
drag_day_to 1 $place_centre_x "$(place_y 3)"
e2e_shot
e2e_check "a wrong drop turns the window black" test "$(e2e_pixel 640 480)" = "#000000"
e2e_check "Errati reads 1" test "$(e2e_read_number 520 136 57 41)" = 1
e2e_check "the fourth place stays empty" test -z "$(e2e_read 196 "$(place_top 3)" 167 25)"
e2e_check "martedì stays in its row" test "$(e2e_plain "$(e2e_read 7 "$(name_top "${row_of[1]}")" 167 25)")" = martedi

# Released on nothing: no answer at all.
drag_day_to 1 640 480
e2e_shot
e2e_check "a drop on the background counts nothing" test "$(e2e_read_number 520 136 57 41)" = 1
e2e_check "and leaves the window black" test "$(e2e_pixel 640 480)" = "#000000"

# Right again: the colour comes back.
drag_day_to 1 $place_centre_x "$(place_y 1)"
e2e_shot
e2e_check "martedì lands on the second place" test "$(e2e_plain "$(e2e_read 196 56 167 25)")" = martedi
e2e_check "Esatti reads 2" test "$(e2e_read_number 512 96 65 41)" = 2
e2e_check "a right answer brings a colour back" test "$(e2e_pixel 640 480)" != "#000000"

# A drop, then at once one jump onto the next name and a tap, as a finger
# does: the tap is not lost.
E2E_AFTER_DROP=0 drag_day_to 2 $place_centre_x "$(place_y 2)"
xdotool mousemove "$(e2e_sx 90)" "$(e2e_sy $(($(name_top "${row_of[3]}") + 12)))" click 1
sleep 0.25
e2e_click $place_centre_x "$(place_y 3)"
e2e_shot
e2e_check "giovedì, tapped right after a drop, lands on the fourth place" \
    test "$(e2e_plain "$(e2e_read 196 "$(place_top 3)" 167 25)")" = giovedi
e2e_check "Esatti reads 4" test "$(e2e_read_number 512 96 65 41)" = 4
e2e_check "the program is still running" e2e_app_running

# Back to the menu (Esci, Sì), "nomi in inglese", the same window in English.
e2e_menu Esci
e2e_wait_dialog && e2e_dialog_click 2
e2e_wait_window 646 568 || { e2e_fail "Esci leads back to the menu"; e2e_finish; }
e2e_click_window 340 172
e2e_click_window 156 48
e2e_wait_exercise 687 513 || { e2e_fail "the menu opens the English window"; e2e_finish; }
e2e_shot
days=(monday tuesday wednesday thursday friday saturday sunday)
read_rows
e2e_check "the seven days are read in English" test "${#row_of[@]}" -eq 7
[ "${#row_of[@]}" -eq 7 ] || e2e_finish
drag_day_to 0 $place_centre_x "$(place_y 0)"
e2e_shot
e2e_check "MONDAY lands on the first place" test "$(e2e_plain "$(e2e_read 196 7 167 25)")" = monday
e2e_check "Esatti reads 1" test "$(e2e_read_number 512 96 65 41)" = 1

# A child of a class picks their picture on "Chi gioca?", answers, and the
# program is killed (kill -9) right after the answer: the export holds it.
kill "$E2E_APP_PID" && wait "$E2E_APP_PID" 2>/dev/null
mkdir -p "$E2E_TMP/data/Tempiolo"
printf '{"format":1,"children":[{"id":"4b0e2f6a-9d1c-4e2b-8f00-0a1b2c3d4e5f","name":"Niccolò","picture":"gatto"}]}\n' \
    >"$E2E_TMP/data/Tempiolo/classe.json"
e2e_start_app "$APP"
e2e_wait_window 653 642 && e2e_click_window 307 347
e2e_wait_window 646 600 || { e2e_fail "Avvio leads to Chi gioca?"; e2e_finish; }
e2e_shot
e2e_click_window 169 332
e2e_wait_window 646 568 || { e2e_fail "picking a child leads to the menu"; e2e_finish; }
e2e_click_window 156 48
e2e_wait_exercise 687 513 || { e2e_fail "the menu opens the exercise for the child"; e2e_finish; }
e2e_shot
read_rows
E2E_AFTER_DROP=0 drag_day_to 0 $place_centre_x "$(place_y 0)"
kill -9 "$E2E_APP_PID"
XDG_DATA_HOME="$E2E_TMP/data" "$APP" --esporta-risultati "$E2E_TMP/risultati.csv"
e2e_check "the export holds the answer given just before the kill" \
    grep -qi "^[0-9-]* [0-9:]*;Niccolò;.*;Riordina i giorni (1);en;monday;monday;sì;trascinamento;" \
    "$E2E_TMP/risultati.csv"

e2e_finish
