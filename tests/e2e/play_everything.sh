#!/usr/bin/env bash
# The whole program played as a child and a teacher would, with the real
# mouse on a real X server: start screen, menu, a complete round of each of
# the seven exercises in waiting mode and again in automatic mode, scores
# reset, sound switched off, date style changed, the about box, "Esci"
# answered No and then Sì, and at last the program ended from the menu.
# Everything is checked by reading the screen back.
# The first argument is the program, the second "waiting" or "automatic":
# the two halves run as two tests, each with its own X server.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/calendar.sh"
APP=$1
PLAY_MODE=${2:-waiting}

DAYS=(lunedi martedi mercoledi giovedi venerdi sabato domenica)
RED="#d81b1b"

index_in() { # plain text, then the list
    local want=$1 i=0
    shift
    for name in "$@"; do
        [ "$want" = "$name" ] && { echo $i; return; }
        i=$((i + 1))
    done
    echo -1
}

# ---- the frame of the window under test -------------------------------------
set_frame() { # window name
    case $1 in
    Form1 | Form2) ESATTI="512 120 65 41" ERRATI="520 160 57 41" FACES="504 16 65 57" AVANTI="440 272 127 57" CLIENT_H=513 ;;
    Form3 | Form4 | Form7) ESATTI="512 96 65 41" ERRATI="520 136 57 41" FACES="488 8 65 57" AVANTI="448 224 127 57" CLIENT_H=513 ;;
    Form5) ESATTI="544 200 65 41" ERRATI="544 240 57 41" FACES="512 16 65 57" AVANTI="376 272 95 57" CLIENT_H=475 ;;
    Form6) ESATTI="536 192 65 41" ERRATI="536 232 57 41" FACES="512 8 65 57" AVANTI="376 256 95 65" CLIENT_H=475 ;;
    esac
}
rights() { e2e_read_number $ESATTI; }
wrongs() { e2e_read_number $ERRATI; }
background() { e2e_pixel 660 460; }
laughing() { [ "$(e2e_count_colour $FACES $RED)" -gt 40 ]; }
sad() { [ "$(e2e_count_colour $FACES $RED)" -lt 10 ] && [ "$(e2e_count_colour $FACES "#4aa3ff")" -gt 3 ]; }
avanti_enabled() { e2e_avanti_enabled $AVANTI; }
avanti_disabled() { e2e_avanti_disabled $AVANTI; }
avanti_hidden() {
    set -- $AVANTI
    [ "$(e2e_count_colour "$1" "$2" "$3" "$4" "$(background)")" -gt $(($3 * $4 * 9 / 10)) ]
}
counts_are() { [ "$(rights)" = "$1" ] && [ "$(wrongs)" = "$2" ]; }

MODE=waiting
# Checks what every finished round shows, in either mode.
check_round_end() { # right answers so far, wrong ones
    e2e_see "$EX_NAME ($MODE): scores read $1 and $2" counts_are "$1" "$2"
    e2e_see "$EX_NAME ($MODE): the last answer shows the laughing face" laughing
    e2e_check "$EX_NAME ($MODE): a finished round is not on black" test "$(background)" != "#000000"
    if [ $MODE = waiting ]; then
        e2e_see "$EX_NAME (waiting): avanti is enabled" avanti_enabled
    else
        e2e_check "$EX_NAME (automatic): avanti is not shown" avanti_hidden
    fi
}

open_from_menu() { # window name, button x y (window coordinates), client height
    EX_NAME=$1
    set_frame "$1"
    e2e_click_window "$2" "$3"
    if ! e2e_wait_exercise 687 "$4"; then
        e2e_fail "the menu opens $EX_NAME"
        e2e_finish
    fi
    e2e_see "$EX_NAME ($MODE): opens with scores 0 and 0" counts_are 0 0
    e2e_see "$EX_NAME ($MODE): the laughing face is in front before any answer" laughing
    if [ $MODE = waiting ]; then
        e2e_see "$EX_NAME (waiting): avanti is shown disabled" avanti_disabled
    else
        e2e_see "$EX_NAME (automatic): avanti is not shown" avanti_hidden
    fi
}

back_to_menu() {
    e2e_menu Esci || e2e_finish
    e2e_wait_dialog || { e2e_fail "$EX_NAME: Esci asks a question"; e2e_finish; }
    e2e_shot
    e2e_dialog_click 2
    e2e_dialog_gone
    if ! e2e_wait_window 646 568; then
        e2e_fail "$EX_NAME: Sì leads back to the menu"
        e2e_finish
    fi
    e2e_pass "$EX_NAME: Esci, Sì leads back to the menu"
}

# ---- ordering windows ---------------------------------------------------------
play_ordering() { # window, button x y
    local window=$1 n names_x places_x pitch given names first=-1
    case $window in
    Form1 | Form2) n=12 names_x=14 places_x=224 pitch=525 names=("${E2E_MONTHS[@]}") ;;
    Form3 | Form4) n=7 names_x=7 places_x=196 pitch=735 names=("${DAYS[@]}") ;;
    esac
    given=0
    [ "$window" = Form2 ] || [ "$window" = Form4 ] && given=1
    open_from_menu "$window" "$2" "$3" 513
    row_top() { echo $(((105 + pitch * $1 + 7) / 15)); }
    place_top() { if [ "$window" = Form1 ] && [ "$1" = 5 ]; then echo 184; else row_top "$1"; fi; }

    local -a row_of=() target_of=()
    local k idx read_names=0
    names_read() {
        row_of=()
        read_names=0
        for ((k = 0; k < n; k++)); do
            idx=$(index_in "$(e2e_plain "$(e2e_read $names_x "$(row_top $k)" 167 25)")" "${names[@]}")
            [ "$idx" -ge 0 ] && { row_of[idx]=$k; read_names=$((read_names + 1)); }
        done
        [ $read_names -eq $((n - given)) ]
    }
    e2e_see "$window ($MODE): the names column holds $((n - given)) names" names_read
    if [ $given -eq 1 ]; then
        given_read() { first=$(index_in "$(e2e_plain "$(e2e_read $places_x 7 167 25)")" "${names[@]}"); [ "$first" -ge 0 ]; }
        e2e_see "$window ($MODE): a name is given on the top place" given_read
        [ "$first" -ge 0 ] || first=0
    else
        first=0
    fi
    for idx in "${!row_of[@]}"; do target_of[idx]=$(((idx - first + n) % n)); done

    local placed=0 wrong_done=0
    for idx in "${!row_of[@]}"; do
        local from_y=$(($(row_top "${row_of[idx]}") + 12)) target=${target_of[idx]}
        if [ $wrong_done -eq 0 ]; then
            local wrong_place=$(((target + 1) % n))
            e2e_drag $((names_x + 83)) $from_y $((places_x + 83)) $(($(place_top $wrong_place) + 12))
            e2e_see "$window ($MODE): a wrong drop turns the window black" e2e_pixel_is 660 460 "#000000"
            e2e_see "$window ($MODE): and shows the sad face with Errati 1" sad
            e2e_see "$window ($MODE): Errati reads 1" e2e_reads_number $ERRATI 1
            name_stays() { ! e2e_blank $names_x $((from_y - 12)) 167 25; }
            e2e_check "$window ($MODE): the name stays in its row" name_stays
            # Released over the frame: nothing at all.
            e2e_drag $((names_x + 83)) $from_y 600 420
            e2e_everything_handled
            e2e_shot
            e2e_check "$window ($MODE): a drop on the background counts nothing" test "$(wrongs)$(rights)" = 10
            wrong_done=1
        fi
        e2e_drag $((names_x + 83)) $from_y $((places_x + 83)) $(($(place_top "$target") + 12))
        placed=$((placed + 1))
    done
    check_round_end "$placed" 1
    local ok=1 i expected
    if [ $MODE = waiting ]; then
        for ((i = 0; i < n; i++)); do
            expected=${names[$(((first + i) % n))]}
            [ "$(e2e_plain "$(e2e_read $places_x "$(place_top $i)" 167 25)")" = "$expected" ] || ok=0
        done
        e2e_check "$window (waiting): the places read the sequence in order" test $ok -eq 1
        ok=1
        for ((k = 0; k < n; k++)); do e2e_blank $names_x "$(row_top $k)" 167 25 || ok=0; done
        e2e_check "$window (waiting): the names column is empty" test $ok -eq 1
        set -- $AVANTI
        e2e_click $(($1 + $3 / 2)) $(($2 + $4 / 2))
        e2e_see "$window (waiting): avanti is disabled again" avanti_disabled
    fi
    names_full() {
        ok=0
        for ((k = 0; k < n; k++)); do e2e_blank $names_x "$(row_top $k)" 167 25 || ok=$((ok + 1)); done
        [ $ok -eq $((n - given)) ]
    }
    e2e_see "$window ($MODE): a new round fills the names column again" names_full
    places_empty() {
        ok=0
        for ((i = given; i < n; i++)); do e2e_blank $places_x "$(place_top $i)" 167 25 && ok=$((ok + 1)); done
        [ $ok -eq $((n - given)) ]
    }
    e2e_see "$window ($MODE): and empties the places" places_empty
}

# ---- cycle windows ------------------------------------------------------------
play_cycle() { # window, button x y
    local window=$1 n names ring
    if [ "$window" = Form5 ]; then
        n=12 names=("${E2E_MONTHS[@]}")
        ring=("196 7 133" "329 49 133" "385 84 133" "413 126 133" "378 168 133" "350 210 133"
            "182 259 167" "56 217 133" "21 175 133" "0 133 133" "21 91 133" "63 49 133")
    else
        n=7 names=("${DAYS[@]}")
        ring=("196 7 133" "371 56 133" "406 140 133" "308 217 133" "91 217 133" "28 147 133" "21 56 167")
    fi
    open_from_menu "$window" "$2" "$3" 475
    read_place() { set -- ${ring[$1]}; e2e_plain "$(e2e_read "$1" "$2" "$3" 25)"; }
    place_centre() { set -- ${ring[$1]}; echo "$(($1 + $3 / 2)) $(($2 + 12))"; }
    read_card() { index_in "$(e2e_plain "$(e2e_read 200 133 133 25)")" "${names[@]}"; }

    local given=-1 i
    given_found() {
        for ((i = 0; i < n; i++)); do [ "$(read_place $i)" = "${names[0]}" ] && given=$i; done
        [ $given -ge 0 ]
    }
    e2e_see "$window ($MODE): ${names[0]} is given on the ring" given_found
    [ $given -ge 0 ] || e2e_finish

    local step card wrong_done=0
    local -a placed=()
    # The card in the middle, once it is not the one just placed.
    fresh_card() { card=$(read_card); [ "$card" -ge 1 ] && [ -z "${placed[$card]:-}" ]; }
    for ((step = 1; step < n; step++)); do
        if ! e2e_until fresh_card; then
            e2e_fail "$window ($MODE): a card is shown for drop $step"
            e2e_finish
        fi
        if [ $wrong_done -eq 0 ]; then
            e2e_drag 266 145 $(place_centre $(((given + card + 1) % n)))
            e2e_see "$window ($MODE): a wrong drop turns the window black" e2e_pixel_is 660 460 "#000000"
            e2e_see "$window ($MODE): the sad face shows" sad
            e2e_check "$window ($MODE): the card stays in the middle" test "$(read_card)" = "$card"
            wrong_done=1
        fi
        e2e_drag 266 145 $(place_centre $(((given + card) % n)))
        placed[card]=1
    done
    check_round_end $((n - 1)) 1
    if [ $MODE = waiting ]; then
        local ok=1
        for ((i = 0; i < n; i++)); do
            [ "$(read_place $i)" = "${names[$(((i - given + n) % n))]}" ] || ok=0
        done
        e2e_check "$window (waiting): the ring is full, clockwise from ${names[0]}" test $ok -eq 1
        # No card: no border and no name where the cards lie (the window
        # itself may be yellow).
        e2e_check "$window (waiting): no card is left" e2e_blank 200 133 133 25
        set -- $AVANTI
        e2e_click $(($1 + $3 / 2)) $(($2 + $4 / 2))
    fi
    card_shown() { [ "$(read_card)" -ge 1 ]; }
    e2e_see "$window ($MODE): the next round shows a card" card_shown
    one_name_on_ring() {
        local filled=0
        for ((i = 0; i < n; i++)); do
            set -- ${ring[$i]}
            e2e_blank "$1" "$2" "$3" 25 || filled=$((filled + 1))
        done
        [ $filled -eq 1 ]
    }
    e2e_see "$window ($MODE): and only the given name on the ring" one_name_on_ring
}

# ---- calendar -------------------------------------------------------------------
play_calendar() { # button x y
    open_from_menu Form7 "$1" "$2" 513
    CAL_MONTH=8
    CAL_YEAR=2000
    local question asked day month year
    question_read() { question=$(e2e_read 64 288 297 41); asked=$(cal_parse_question "$question"); }
    e2e_until question_read || { e2e_fail "Form7 ($MODE): the question reads as a date: '$question'"; e2e_finish; }
    read -r day month year <<<"$asked"
    cal_click_day $((day == 1 ? 2 : day - 1)) "$month" "$year"
    e2e_see "Form7 ($MODE): a wrong day counts one wrong answer" counts_are 0 1
    e2e_see "Form7 ($MODE): the sad face shows" sad
    e2e_check "Form7 ($MODE): the window never changes its orange" test "$(background)" = "#ff8000"
    cal_click_day "$day" "$month" "$year"
    check_round_end 1 1
    e2e_check "Form7 ($MODE): the window keeps its orange" test "$(background)" = "#ff8000"
    if [ $MODE = waiting ]; then
        cal_click_day "$day" "$month" "$year"
        e2e_see "Form7 (waiting): the same day again counts again" e2e_reads_number $ESATTI 2
        # The date in digits, then the question hidden by a click on it.
        e2e_menu_open Quale || return
        xdotool key Down Down Return
        e2e_see "Form7 (waiting): the same date in digits" \
            e2e_reads 64 288 297 41 "$(printf 'trovail%02d%02d%d' "$day" "$month" "$year")"
        e2e_click 212 308
        e2e_see "Form7 (waiting): a click on the question shows the month number" \
            e2e_reads 64 288 297 41 "$month"
        set -- $AVANTI
        e2e_click $(($1 + $3 / 2)) $(($2 + $4 / 2))
        e2e_see "Form7 (waiting): avanti is disabled once pressed" avanti_disabled
        question=$(e2e_plain "$(e2e_read 64 288 297 41)")
        e2e_check "Form7 (waiting): avanti asks a new date, in digits" test "${#question}" -eq 15 -a "${question:0:7}" = trovail
    else
        asked_at_once() { cal_parse_question "$(e2e_read 64 288 297 41)" >/dev/null; }
        e2e_see "Form7 (automatic): the next date is asked at once" asked_at_once
    fi
}

# The menu's left column after "Riordina i giorni (1)": each exercise played
# and left again through Esci.
play_five_more() {
    play_ordering Form4 156 104
    back_to_menu
    play_cycle Form6 156 160
    back_to_menu
    play_ordering Form1 156 216
    back_to_menu
    play_ordering Form2 156 272
    back_to_menu
    play_cycle Form5 156 328
    back_to_menu
}

# ---- the run --------------------------------------------------------------------
e2e_start_x
e2e_start_app "$APP"
e2e_wait_window 653 642 || { e2e_fail "the start screen appears"; e2e_finish; }
e2e_see "the start screen shows the title" e2e_reads 49 63 501 233 tempiolo
e2e_see "and the Avvio button" e2e_reads 160 354 295 34 avvio
e2e_click_window 307 347
e2e_wait_window 646 568 || { e2e_fail "Avvio leads to the menu"; e2e_finish; }
# A selected option's indicator has a dark dot in its white middle.
radio_on() {
    local mean
    mean=$(convert "$E2E_SHOT" -crop "8x8+$(e2e_sx $(($1 - 1)))+$(e2e_sy $(($2 - 1)))" +repage \
        -colorspace Gray -format '%[fx:mean]' info:)
    awk "BEGIN { exit !($mean < 0.85) }"
}
e2e_see "the first menu waits for avanti" radio_on 324 290
radio_off() { ! radio_on "$@"; }
e2e_check "and does not go on by itself" radio_off 324 342

if [ "$PLAY_MODE" = waiting ]; then
    # Waiting mode, with the frame's menu items tried on the way.
    play_ordering Form3 156 48
    e2e_menu Azzera
    e2e_see "Form3: Azzera conteggio shows 0 and 0" counts_are 0 0
    # "no" in the sound menu, once it is open; then the menu again, to read its marks.
    e2e_menu_open Suono? && e2e_click_screen $((WIN_X + 200)) $((WIN_Y + MENU_H + 32)) && e2e_menu_closed
    e2e_menu_open Suono?
    sound_marks=""
    sound_switched() {
        sound_marks=$(e2e_count_colour 165 2 16 16 "#000000")-$(e2e_count_colour 165 22 16 16 "#000000")
        [ "${sound_marks#*-}" -gt "${sound_marks%-*}" ]
    }
    e2e_see "Form3: sound switched to no" sound_switched
    echo "  (the marks of sì and no: $sound_marks)"
    xdotool key Escape
    e2e_menu_closed || e2e_fail "Esc closes the sound menu"
    e2e_drag 90 19 600 420
    e2e_menu Esci
    if e2e_wait_dialog; then
        e2e_check "the back-to-menu question is titled Orivalo" test "$(xdotool getwindowname "$DLG_ID")" = Orivalo
        asks() { [ "$(e2e_dialog_text)" = "$1" ]; }
        e2e_see "it asks 'Vuoi tornare al menù?'" asks "Vuoi tornare al menù?"
        yes_no() { [ "$(e2e_plain "$(e2e_dialog_button_caption 2)")$(e2e_plain "$(e2e_dialog_button_caption 1)")" = sino ]; }
        e2e_see "its buttons read Sì and No" yes_no
        e2e_dialog_click 1
        e2e_dialog_gone
        e2e_see "No leaves the window and its scores as they were" counts_are 0 0
    else
        e2e_fail "Esci asks a question"
    fi
    back_to_menu

    play_five_more
    play_calendar 452 48
    e2e_menu Informazioni
    if e2e_wait_dialog; then
        e2e_check "the about box is titled Orivalo" test "$(xdotool getwindowname "$DLG_ID")" = Orivalo
        about=""
        names_project() {
            about=$(e2e_plain "$(e2e_read_screen $((DLG_X + 50)) $((DLG_Y + 6)) $((DLG_W - 56)) 26)")
            [ "${about:0:8}" = progetto ]
        }
        e2e_see "it names the project" names_project
        echo "  (it reads: $about)"
        e2e_dialog_click 1
        e2e_dialog_gone
    else
        e2e_fail "Informazioni shows the about box"
    fi
    back_to_menu
else
    MODE=automatic
    e2e_click_window 400 345
    e2e_see "the menu now goes on by itself" radio_on 324 342
    e2e_see "and no longer waits" radio_off 324 290
    play_ordering Form3 156 48
    back_to_menu
    e2e_see "the choice survives the return to the menu" radio_on 324 342
    play_five_more
    play_calendar 452 48
    back_to_menu
fi

# The menu's Esci: No, then Sì ends the program.
WIN_ID=$(xdotool search --onlyvisible --class tempiolo | head -1)
e2e_click_window 452 408
if e2e_wait_dialog; then
    e2e_check "the quit question is titled Tempiolo" test "$(xdotool getwindowname "$DLG_ID")" = Tempiolo
    asks() { [ "$(e2e_dialog_text)" = "$1" ]; }
    e2e_see "it asks 'Vuoi terminare il lavoro?'" asks "Vuoi terminare il lavoro?"
    e2e_dialog_click 1
    e2e_dialog_gone
    e2e_check "No keeps the program and its menu" e2e_wait_window 646 568
    e2e_check "and the program running" e2e_app_running
fi
e2e_click_window 452 408
if e2e_wait_dialog; then
    e2e_dialog_click 2
    end=$((SECONDS + E2E_PATIENCE))
    while e2e_app_running && [ $SECONDS -le $end ]; do sleep 0.1; done # between two looks
    e2e_check "Sì ends the program" bash -c "! kill -0 $E2E_APP_PID 2>/dev/null"
    wait "$E2E_APP_PID" 2>/dev/null
    e2e_check "with a clean exit status" test $? -eq 0
else
    e2e_fail "the menu's Esci asks a question"
fi
e2e_finish
