#!/usr/bin/env bash
# "Ciclo dei giorni" played to the end of a round with the real mouse: the
# card in the middle is read, moved onto its place on the ring, and the ring
# is read back. The second argument says how a card is moved: "drag" (the
# default) or "tap", a click on the card and then one on the place, with no
# drag at all.
source "$(dirname "$0")/lib.sh"
APP=$1
HOW=${2:-drag}

move_card() { # from x y, to x y
    if [ "$HOW" = tap ]; then
        e2e_click "$1" "$2"
        e2e_click "$3" "$4"
    else
        e2e_drag "$@"
    fi
}

e2e_open_exercise "$APP" 156 160 475 "Ciclo dei giorni"

days=(lunedi martedi mercoledi giovedi venerdi sabato domenica)
# The ring's places: left top width (height 25).
ring=("196 7 133" "371 56 133" "406 140 133" "308 217 133" "91 217 133" "28 147 133" "21 56 167")
read_place() { set -- ${ring[$1]}; e2e_read "$1" "$2" "$3" 25; }
place_centre() { set -- ${ring[$1]}; echo "$(($1 + $3 / 2)) $(($2 + 12))"; }
day_index() {
    local plain d
    plain=$(e2e_plain "$1")
    for d in 0 1 2 3 4 5 6; do [ "$plain" = "${days[$d]}" ] && { echo $d; return; }; done
    echo -1
}

given=-1
given_found() {
    for i in 0 1 2 3 4 5 6; do
        [ "$(day_index "$(read_place $i)")" = 0 ] && given=$i
    done
    [ "$given" -ge 0 ]
}
e2e_see "Lunedì is written on one place of the ring" given_found
[ "$given" -ge 0 ] || e2e_finish
place_reads() { [ "$(day_index "$(read_place "$1")")" = "$2" ]; } # place, day index
card=-1
# The card in the middle, once it is not the one just placed.
fresh_card() {
    card=$(day_index "$(e2e_read 200 133 133 25)")
    [ "$card" -ge 1 ] && [ -z "${placed[$card]:-}" ]
}
placed=()

wrong_done=0
for step in 1 2 3 4 5 6; do
    if ! e2e_until fresh_card; then
        e2e_fail "a card with a day's name is shown in the middle (drop $step)"
        e2e_finish
    fi
    target=$(((given + card) % 7))
    if [ $wrong_done -eq 0 ]; then
        # Once, the card goes on the place of Lunedì: wrong, nothing moves.
        move_card 266 145 $(place_centre "$given")
        e2e_see "a drop on the given name's place turns the window black" e2e_pixel_is 660 460 "#000000"
        e2e_check "the card is still in the middle" test "$(day_index "$(e2e_read 200 133 133 25)")" = "$card"
        wrong_done=1
    fi
    move_card 266 145 $(place_centre "$target")
    e2e_see "${days[$card]} lands on place $target" place_reads "$target" "$card"
    placed[$card]=1
done

e2e_see "no card is left in the middle" e2e_blank 200 133 133 25
full=1
for i in 0 1 2 3 4 5 6; do
    [ "$(day_index "$(read_place $i)")" = $(((i - given + 7) % 7)) ] || full=0
done
e2e_check "the ring reads the week clockwise from Lunedì" test $full -eq 1
e2e_see "Esatti reads 6" e2e_reads_number 536 192 65 41 6
e2e_see "Errati reads 1" e2e_reads_number 536 232 57 41 1

# "avanti" (waiting mode) lays out a new round with a card in the middle.
e2e_click 423 288
new_card() { [ "$(day_index "$(e2e_read 200 133 133 25)")" -ge 1 ]; }
e2e_see "avanti brings a new card" new_card
e2e_check "the program is still running" e2e_app_running
e2e_finish
