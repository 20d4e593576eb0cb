# Helpers for the calendar window under test: reading the question and
# clicking a date on the month grid with the real mouse. Source after lib.sh.

E2E_MONTHS=(gennaio febbraio marzo aprile maggio giugno luglio agosto settembre ottobre novembre dicembre)
# The page the calendar shows; it opens on August 2000.
CAL_MONTH=8
CAL_YEAR=2000
CAL_LAST_DAY=""
CAL_LAST_TIME=0

# Centres of the day grid's cells: a header row, then six weeks, Monday first.
cal_cell_x() { awk "BEGIN { printf \"%d\", 64 + ($1 + 0.5) * 297 / 7 }"; }
cal_cell_y() { awk "BEGIN { printf \"%d\", 31 + ($1 + 0.5) * 242 / 7 }"; }

# Parses "trova il  5 Marzo  2001" into "5 3 2001".
cal_parse_question() {
    local words day name year m
    read -r -a words <<<"$1"
    [ "${#words[@]}" -ge 5 ] || return 1
    day=$(e2e_plain "${words[2]}")
    name=$(e2e_plain "${words[3]}")
    year=$(e2e_plain "${words[4]}")
    [ -n "$day" ] && [ -n "$year" ] || return 1
    for m in "${!E2E_MONTHS[@]}"; do
        [ "$name" = "${E2E_MONTHS[$m]}" ] && { echo "$day $((m + 1)) $year"; return 0; }
    done
    return 1
}

# Turns the calendar's pages with its arrows until it shows the month.
cal_turn_to() { # month year
    local steps=$((($2 - CAL_YEAR) * 12 + $1 - CAL_MONTH))
    while [ $steps -gt 0 ]; do e2e_click 348 19; steps=$((steps - 1)); done
    while [ $steps -lt 0 ]; do e2e_click 75 19; steps=$((steps + 1)); done
    CAL_MONTH=$1
    CAL_YEAR=$2
}

# Turns to the date's month and clicks its day, found as Qt lays the month
# out (at least one day of the month before in the first row).
cal_click_day() { # day month year
    local offset index
    cal_turn_to "$2" "$3"
    offset=$(($(date -d "$3-$2-01" +%u) - 1))
    [ $offset -lt 1 ] && offset=$((offset + 7))
    index=$((offset + $1 - 1))
    local at
    at="$(cal_cell_x $((index % 7))) $(cal_cell_y $((index / 7 + 1)))"
    # Qt takes a second click on a day within its double-click time (400 ms)
    # as a double click, which answers nothing: a child clicking the same
    # day again is slower than that.
    [ "$at" = "$CAL_LAST_DAY" ] && [ $(($(date +%s%3N) - CAL_LAST_TIME)) -lt 500 ] && sleep 0.5
    # shellcheck disable=SC2086
    e2e_click $at
    CAL_LAST_DAY=$at
    CAL_LAST_TIME=$(date +%s%3N)
}
