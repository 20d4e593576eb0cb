#!/usr/bin/env bash
# "Riordina i giorni (2)" reached and played to the end of a round with the
# keyboard alone: Enter on the start screen, Tab and Enter in the menu, then
# Home, Enter, Down and Enter for every day, a wrong answer, a card put down
# with Esc, "avanti" and the menu bar's F10. Everything is judged from the
# screen; the mouse is never used.
source "$(dirname "$0")/lib.sh"
APP=$1

# Keys go to the window that has the keyboard, in the order they are sent;
# what they do is waited for where it shows.
key() { xdotool key "$@"; }
# A new window is waited for until it is mapped and has the keyboard.
has_keyboard() { e2e_wait_focus "$WIN_ID"; }

e2e_start_x
e2e_start_app "$APP"
e2e_wait_window 653 642 && has_keyboard || { e2e_fail "the start screen appears"; e2e_finish; }
key Return
e2e_wait_window 646 568 && has_keyboard || { e2e_fail "Enter on Avvio leads to the menu"; e2e_finish; }
# The first button has the focus; the second is "Riordina i giorni (2)".
key Tab
key Return
e2e_wait_exercise 687 513 && has_keyboard ||
    { e2e_fail "Tab and Enter open Riordina i giorni (2)"; e2e_finish; }

days=(lunedi martedi mercoledi giovedi venerdi sabato domenica)
top() { echo $((7 + 49 * $1)); }
day_index() {
    local plain d
    plain=$(e2e_plain "$1")
    for d in 0 1 2 3 4 5 6; do [ "$plain" = "${days[$d]}" ] && { echo $d; return; }; done
    echo -1
}
read_place() { e2e_read 196 "$(top "$1")" 167 25; }
# The top-most name still in the names column, as "row day".
first_card() {
    local row d
    for row in 0 1 2 3 4 5 6; do
        d=$(day_index "$(e2e_read 7 "$(top "$row")" 167 25)")
        [ "$d" -ge 0 ] && { echo "$row $d"; return; }
    done
    echo "-1 -1"
}
# The picked-up mark is a thick black frame: black just inside the card's edge.
marked() { test "$(e2e_pixel 9 $(($(top "$1") + 12)))" = "#000000"; }
unmarked() { ! marked "$@"; }
# The place reads the day (index).
place_reads() { [ "$(day_index "$(read_place "$1")")" = "$2" ]; }

given=-1
given_read() { given=$(day_index "$(read_place 0)"); [ "$given" -ge 0 ]; }
e2e_see "the first place shows the given day" given_read
[ "$given" -ge 0 ] || e2e_finish
filled=(1 0 0 0 0 0 0)
first_empty() { local i; for i in 0 1 2 3 4 5 6; do [ "${filled[$i]}" = 0 ] && { echo $i; return; }; done; }

# Esc puts a picked-up card down and gives the focus back to it.
read -r row day <<<"$(first_card)"
key Home
key Return
e2e_see "Enter picks the first card up" marked "$row"
key Escape
e2e_see "Esc puts it down" unmarked "$row"
e2e_check "and counts nothing" e2e_reads_number 520 136 57 41 0

wrong_done=0
placed=()
# The top-most name not placed yet: a placed one may still be on show for
# a moment.
fresh_card() { read -r row day <<<"$(first_card)"; [ "$day" -ge 0 ] && [ -z "${placed[$day]:-}" ]; }
for step in 1 2 3 4 5 6; do
    if ! e2e_until fresh_card; then
        e2e_fail "a name is left in the names column (step $step)"
        e2e_finish
    fi
    target=$(((day - given + 7) % 7))
    key Home
    key Return
    # The focus goes to the first empty place: count down from there.
    from=$(first_empty)
    if [ $wrong_done -eq 0 ]; then
        wrong=$(((target + 1) % 7))
        [ "${filled[$wrong]}" = 1 ] && wrong=$(((target + 2) % 7))
        for ((i = from; i < wrong; i++)); do key Down; done
        key Return
        e2e_see "a wrong place turns the window black" e2e_pixel_is 640 480 "#000000"
        e2e_see "Errati reads 1" e2e_reads_number 520 136 57 41 1
        e2e_check "the wrong place stays empty" test -z "$(read_place "$wrong")"
        wrong_done=1
        # The focus is back on the card that went wrong.
        key Return
    fi
    for ((i = from; i < target; i++)); do key Down; done
    key Return
    filled[$target]=1
    placed[$day]=1
    e2e_see "${days[$day]} lands on place $target" place_reads "$target" "$day"
done

full=1
for i in 0 1 2 3 4 5 6; do
    [ "$(day_index "$(read_place $i)")" = $(((given + i) % 7)) ] || full=0
done
e2e_check "the places read the week on from the given day" test $full -eq 1
e2e_see "Esatti reads 6" e2e_reads_number 512 96 65 41 6
e2e_see "a right answer brought a colour back" e2e_pixel_is_not 640 480 "#000000"

# The focus is on "avanti": Enter lays out a new round.
key Return
new_round() { read -r row day <<<"$(first_card)"; [ "$day" -ge 0 ]; }
e2e_see "avanti brings a new round of names" new_round

# F10 opens the menu bar; Right three times goes past "Suono?" and "Voce?"
# to "Informazioni", Enter opens it.
key F10
key Right
key Escape
key Right
key Right
key Return
e2e_wait_dialog && e2e_wait_focus "$DLG_ID" || e2e_fail "F10 and the arrows reach Informazioni"
about=""
about_reads() {
    about=$(e2e_read_screen $((DLG_X + 55)) $((DLG_Y + 7)) 180 19)
    [ "$(e2e_plain "$about")" = progettotempiolo ]
}
e2e_until about_reads
e2e_check "the about box is open: '$about'" about_reads
key Return
e2e_check "Enter closes the about box" e2e_dialog_gone
e2e_check "the program is still running" e2e_app_running
e2e_finish
