#!/usr/bin/env bash
# A lab PC on a school's PostgreSQL server, a real one started here: the
# program asks "Quale classe?", offers that class's children, and a child's
# answer is on the server within seconds; with the server killed, the next
# answer waits on the PC through a kill -9 of the program, and reaches the
# server once both are back, once.
source "$(dirname "$0")/lib.sh"
APP=$1
TEACHER=$(dirname "$(realpath "$APP")")/tempiolo-classe
PG=/usr/lib/postgresql/15/bin
[ -x "$PG/pg_ctl" ] || { echo "PostgreSQL 15 is not installed"; exit 1; }

# PostgreSQL refuses to run as root: then it runs as postgres.
as_owner() { if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi; }
# A folder of its own, which the postgres account can reach.
SERVER=$(mktemp -d /tmp/tempiolo-server.XXXXXX)
[ "$(id -u)" -eq 0 ] && chown postgres "$SERVER"
server_start() {
    as_owner "$PG/pg_ctl" -D "$SERVER/data" -l "$SERVER/log" -w start \
        -o "-c listen_addresses='' -k $SERVER -p 54330 -c fsync=off" >/dev/null
}
server_crash() { as_owner "$PG/pg_ctl" -D "$SERVER/data" -m immediate -w stop >/dev/null; }
trap 'server_crash 2>/dev/null; rm -rf "$SERVER"; e2e_cleanup' EXIT
as_owner "$PG/initdb" -D "$SERVER/data" -A trust -U postgres --no-sync >/dev/null
server_start
as_owner "$PG/createdb" -h "$SERVER" -p 54330 -U postgres tempiolo
export PGSERVICEFILE=$E2E_TMP/pg_service.conf
for service in "tempiolo-admin postgres" "tempiolo tempiolo_pc"; do
    read -r name user <<<"$service"
    printf '[%s]\nhost=%s\nport=54330\ndbname=tempiolo\nuser=%s\n\n' "$name" "$SERVER" "$user"
done >"$PGSERVICEFILE"
sql() { psql -X -q -A -t -v ON_ERROR_STOP=1 service=tempiolo-admin -c "$1"; }
e2e_check "the server is prepared" "$TEACHER" --prepara-server
sql "INSERT INTO classes (name) VALUES ('3B'), ('4A');
     INSERT INTO children (uuid, class_id, name, picture)
     SELECT v.uuid, k.id, v.name, v.picture FROM classes k JOIN (VALUES
       ('3B', '4b0e2f6a-9d1c-4e2b-8f00-0a1b2c3d4e5f', 'Niccolò', 'gatto'),
       ('3B', '9c1d2e3f-4a5b-4c6d-8e7f-8091a2b3c4d5', 'Anna', 'mela'),
       ('4A', '1a2b3c4d-5e6f-4a7b-8c9d-0e1f2a3b4c5d', 'Luca', 'pesce'))
       AS v(class, uuid, name, picture) ON v.class = k.name"
answers() { sql "SELECT count(*) FROM answers"; }
answers_are() { [ "$(answers 2>/dev/null)" = "$1" ]; }

e2e_start_x
days=(lunedi martedi)
# A day's row in the names column.
row_of_day() {
    local k
    for k in 0 1 2 3 4 5 6; do
        [ "$(e2e_plain "$(e2e_read 7 $((7 + 49 * k)) 167 25)")" = "$1" ] && { echo "$k"; return; }
    done
    return 1
}
day_read() { row=$(row_of_day "$1"); }
# From the start screen to "Riordina i giorni (1)", as Niccolò of 3B.
play_as_niccolo() {
    e2e_wait_window 653 642 && e2e_click_window 307 347
    e2e_wait_window 646 600 || { e2e_fail "Avvio leads to a question"; e2e_finish; }
    e2e_see "the program asks Quale classe?" e2e_reads 16 8 614 56 qualeclasse
    e2e_click_window 169 332
    e2e_see "3B's children are offered: Niccolò first" e2e_reads 16 8 614 56 chigioca
    e2e_click_window 169 202
    e2e_wait_window 646 568 || { e2e_fail "picking Niccolò leads to the menu"; e2e_finish; }
    e2e_click_window 156 48
    e2e_wait_exercise 687 513 || { e2e_fail "the menu opens the exercise"; e2e_finish; }
}
place_day() { # day's name, place number
    e2e_see "$1 is read in the names column" day_read "$1"
    e2e_drag 90 $((19 + 49 * row)) 279 $((19 + 49 * $2))
}

e2e_start_app "$APP"
play_as_niccolo
place_day lunedi 0
e2e_see "the answer is counted" e2e_reads_number 512 96 65 41 1
E2E_LOOK=: e2e_see "and it is on the server" answers_are 1

# The server dies; the child plays on; the program is killed too.
server_crash
place_day martedi 1
e2e_see "with the server away the next answer is counted" e2e_reads_number 512 96 65 41 2
kill -9 "$E2E_APP_PID"
wait "$E2E_APP_PID" 2>/dev/null
server_start
e2e_check "the server came back without it" answers_are 1
e2e_start_app "$APP"
play_as_niccolo
E2E_LOOK=: e2e_see "once both are back, the answer kept on the PC reaches the server" answers_are 2
e2e_check "each answer once" test "$(sql "SELECT count(DISTINCT uuid) FROM answers")" = 2
e2e_check "both Niccolò's" test "$(sql "SELECT count(*) FROM answers a JOIN children c
    ON c.id = a.child WHERE c.name = 'Niccolò'")" = 2
e2e_check "the program is still running" e2e_app_running
e2e_finish
