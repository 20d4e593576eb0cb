#!/usr/bin/env bash
# "Usa il calendario" with the real mouse: the question is read off the
# screen, the calendar is turned to its month with the arrows, the asked day
# is clicked, and the scores and the question are read back.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/calendar.sh"
APP=$1

e2e_open_exercise "$APP" 450 48 513 "Usa il calendario"

question=""
asked=""
question_read() { question=$(e2e_read 64 288 297 41); asked=$(cal_parse_question "$question"); }
e2e_until question_read || { e2e_fail "the question reads as a date: '$question'"; e2e_finish; }
e2e_pass "the question reads '$question'"
read -r day month year <<<"$asked"
e2e_check "the asked year is 2000 to 2002" test "$year" -ge 2000 -a "$year" -le 2002

# The calendar opens on August 2000: turn to the asked month with the arrows.
cal_turn_to "$month" "$year"
shows_month() {
    local shown
    shown=$(convert "$E2E_SHOT" -crop "150x22+$(e2e_sx 140)+$(e2e_sy 8)" +repage -colorspace Gray \
        -negate -resize 300% "$E2E_TMP/month.png" &&
        tesseract "$E2E_TMP/month.png" - -l ita --psm 7 2>/dev/null)
    [ "$(e2e_plain "$shown")" = "${E2E_MONTHS[$((month - 1))]}$year" ]
}
e2e_see "the calendar shows ${E2E_MONTHS[$((month - 1))]} $year" shows_month
e2e_check "turning the pages counts no answer" test "$(e2e_read_number 512 96 65 41)$(e2e_read_number 520 136 57 41)" = 00

# A wrong day first: the right day of the month after or before it.
wrong_day=$((day == 1 ? 2 : day - 1))
cal_click_day "$wrong_day" "$month" "$year"
e2e_see "a wrong day counts one wrong answer" e2e_reads_number 520 136 57 41 1
e2e_check "the window keeps its orange" e2e_pixel_is 640 480 "#ff8000"
e2e_check "the question stays" test "$(e2e_read 64 288 297 41)" = "$question"

cal_click_day "$day" "$month" "$year"
e2e_see "the asked day counts one right answer" e2e_reads_number 512 96 65 41 1
e2e_check "the window keeps its orange after a right answer" e2e_pixel_is 640 480 "#ff8000"

# The date in digits, chosen from the "Quale formato" menu once it is open.
e2e_click_window 209 $((MENU_H / 2))
e2e_poll_windows e2e_not_window_under_test || e2e_fail "Quale formato opens its menu"
xdotool key Down Down Return
digits=$(printf 'trovail%02d%02d%d' "$day" "$month" "$year")
e2e_see "the same date in digits" e2e_reads 64 288 297 41 "$digits"

# "avanti" asks a new date, and is then disabled until it is answered.
e2e_see "a right answer enables avanti" e2e_avanti_enabled 448 224 127 57
e2e_click 511 252
e2e_see "avanti is disabled once pressed" e2e_avanti_disabled 448 224 127 57
next=$(e2e_plain "$(e2e_read 64 288 297 41)")
e2e_check "avanti asks a new date, still in digits" test "${#next}" -eq 15 -a "${next:0:7}" = trovail
e2e_check "the program is still running" e2e_app_running
e2e_finish
