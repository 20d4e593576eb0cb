#!/usr/bin/env bash
# "Usa il calendario" with the real mouse: the question is read off the
# screen, the calendar is turned to its month with the arrows, the asked day
# is clicked, and the scores and the question are read back.
source "$(dirname "$0")/lib.sh"
APP=$1

e2e_open_exercise "$APP" 450 48 513 "Usa il calendario"

months=(gennaio febbraio marzo aprile maggio giugno luglio agosto settembre ottobre novembre dicembre)
# The calendar's day grid: a header row, then six weeks, Monday first.
cell_x() { awk "BEGIN { printf \"%d\", 64 + ($1 + 0.5) * 297 / 7 }"; }
cell_y() { awk "BEGIN { printf \"%d\", 31 + ($1 + 0.5) * 242 / 7 }"; }

# Parses "trova il  5 Marzo  2001" into "5 3 2001".
parse_question() {
    local words day name year m
    read -r -a words <<<"$1"
    [ "${#words[@]}" -ge 5 ] || return 1
    day=$(e2e_plain "${words[2]}")
    name=$(e2e_plain "${words[3]}")
    year=$(e2e_plain "${words[4]}")
    for m in "${!months[@]}"; do
        [ "$name" = "${months[$m]}" ] && { echo "$day $((m + 1)) $year"; return 0; }
    done
    return 1
}

# Clicks a day of the shown month, found as Qt lays the month out.
click_day() { # day month year
    local first offset index
    first=$(date -d "$3-$2-01" +%u)
    offset=$((first - 1))
    [ $offset -lt 1 ] && offset=$((offset + 7))
    index=$((offset + $1 - 1))
    e2e_click "$(cell_x $((index % 7)))" "$(cell_y $((index / 7 + 1)))"
}

e2e_shot
question=$(e2e_read 64 288 297 41)
asked=$(parse_question "$question") || { e2e_fail "the question reads as a date: '$question'"; e2e_finish; }
e2e_pass "the question reads '$question'"
read -r day month year <<<"$asked"
e2e_check "the asked year is 2000 to 2002" test "$year" -ge 2000 -a "$year" -le 2002

# The calendar opens on August 2000: turn to the asked month with the arrows.
steps=$(((year - 2000) * 12 + month - 8))
while [ $steps -gt 0 ]; do e2e_click 348 19; steps=$((steps - 1)); done
while [ $steps -lt 0 ]; do e2e_click 75 19; steps=$((steps + 1)); done
e2e_shot
shown=$(convert "$E2E_SHOT" -crop "150x22+$(e2e_sx 140)+$(e2e_sy 8)" +repage -colorspace Gray -negate \
    -resize 300% "$E2E_TMP/month.png" && tesseract "$E2E_TMP/month.png" - -l ita --psm 7 2>/dev/null)
e2e_check "the calendar shows ${months[$((month - 1))]} $year" \
    test "$(e2e_plain "$shown")" = "${months[$((month - 1))]}$year"
e2e_check "turning the pages counts no answer" test "$(e2e_plain "$(e2e_read 512 96 65 41)")$(e2e_plain "$(e2e_read 520 136 57 41)")" = 00

# A wrong day first: the right day of the month after or before it.
wrong_day=$((day == 1 ? 2 : day - 1))
click_day "$wrong_day" "$month" "$year"
e2e_shot
e2e_check "a wrong day counts one wrong answer" test "$(e2e_read_number 520 136 57 41)" = 1
e2e_check "the window keeps its orange" test "$(e2e_pixel 640 480)" = "#ff8000"
e2e_check "the question stays" test "$(e2e_read 64 288 297 41)" = "$question"

click_day "$day" "$month" "$year"
e2e_shot
e2e_check "the asked day counts one right answer" test "$(e2e_read_number 512 96 65 41)" = 1
e2e_check "the window keeps its orange after a right answer" test "$(e2e_pixel 640 480)" = "#ff8000"

# The date in digits, chosen from the "Quale formato" menu.
e2e_click_window 209 $((MENU_H / 2))
xdotool key Down Down Return
sleep 0.4
e2e_shot
digits=$(printf 'trovail%02d%02d%d' "$day" "$month" "$year")
e2e_check "the same date in digits" test "$(e2e_plain "$(e2e_read 64 288 297 41)")" = "$digits"

# "avanti" asks a new date.
e2e_click 511 252
e2e_shot
next=$(e2e_plain "$(e2e_read 64 288 297 41)")
e2e_check "avanti asks a new date, still in digits" test "${#next}" -eq 15 -a "${next:0:7}" = trovail
e2e_check "the program is still running" e2e_app_running
e2e_finish
