#!/usr/bin/env bash
# What the program says where no display can be reached, one command line a
# row: started without a display it says so in one line and exits with
# status 2, instead of Qt's abort; its help, its version and a refused
# command line need no display and open no window (here, one would be the
# line about the display instead). The teacher's options hand over to
# tempiolo-classe, with the same arguments, whatever their place: a copy of
# the program beside a stand-in for it prints what it was handed.
APP=$(realpath "$1")
TEACHER=$(dirname "$APP")/tempiolo-classe
TMP=$(mktemp -d /tmp/tempiolo-no-display.XXXXXX)
trap 'rm -rf "$TMP"' EXIT
mkdir -p "$TMP/alone" "$TMP/data/Tempiolo"
cp "$APP" "$TMP/alone/tempiolo"
printf '#!/bin/sh\necho "tempiolo-classe: $*"\n' >"$TMP/alone/tempiolo-classe"
chmod +x "$TMP/alone/tempiolo-classe"
STAND_IN=$TMP/alone/tempiolo

failures=0
# row PROGRAM STATUS STREAM LINES PATTERN [ARGUMENT...]: run without a
# display, PROGRAM exits with STATUS and prints LINES lines ("+": some) on
# STREAM ("out" or "err"), the first matching PATTERN (grep -E), and nothing
# on the other.
# The environment may be changed before PROGRAM: row env DISPLAY=:93 "$APP" ...
row() {
    local program=() status stream lines pattern
    while [ "$1" = env ] || [[ $1 == *=* ]]; do
        [ "$1" = env ] || program+=("$1")
        shift
    done
    program=(env -u DISPLAY -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY XDG_DATA_HOME="$TMP/data"
        XDG_CONFIG_HOME="$TMP/config" "${program[@]}" "$1")
    status=$2 stream=$3 lines=$4 pattern=$5
    shift 5
    timeout 60 "${program[@]}" "$@" >"$TMP/out" 2>"$TMP/err" </dev/null
    local got=$? other=err
    [ "$stream" = err ] && other=out
    local what="$(basename "${program[-1]}") $*"
    local count
    count=$(grep -c '' "$TMP/$stream")
    if [ $got -eq "$status" ] && [ ! -s "$TMP/$other" ] &&
        { [ "$lines" = + ] && [ "$count" -gt 1 ] || [ "$count" = "$lines" ]; } &&
        { [ "$count" -eq 0 ] || head -1 "$TMP/$stream" | grep -qE "$pattern"; }; then
        echo "ok: $what: $(head -1 "$TMP/$stream")"
    else
        echo "FAIL: $what (status $got, expected $status)"
        sed 's/^/  out: /' "$TMP/out"
        sed 's/^/  err: /' "$TMP/err"
        failures=$((failures + 1))
    fi
}

# No display.
row "$APP" 2 err 1 '^tempiolo: no graphical display is available'
row DISPLAY=:93 "$APP" 2 err 1 '^tempiolo: cannot open the display :93$'
row "$APP" 2 err 1 '^tempiolo: no graphical display' --schermo-intero
row "$TEACHER" 2 err 1 '^tempiolo: no graphical display' --classe

# Help and version, on standard output.
row "$APP" 0 out + '^Utilizzo: tempiolo \[opzioni\]$' --help
row "$APP" 0 out + '^Utilizzo: tempiolo \[opzioni\]$' -h
row "$APP" 0 out 1 '^tempiolo 1\.0\.0$' --version
row "$APP" 0 out 1 '^tempiolo 1\.0\.0$' -v
row "$APP" 0 out 1 '^tempiolo 1\.0\.0$' --classe --version
row "$TEACHER" 0 out 1 '^tempiolo-classe 1\.0\.0$' --version

# Refused, in one line on standard error, before any hand-over.
row "$APP" 2 err 1 "^tempiolo: Opzione sconosciuta 'bogus'\. .*tempiolo --help$" --bogus
row "$APP" 2 err 1 "^tempiolo: Opzione sconosciuta 'x'\." -x
row "$APP" 2 err 1 "^tempiolo: Opzione sconosciuta 'bogus'\." --help --bogus
row "$STAND_IN" 2 err 1 "^tempiolo: Opzione sconosciuta 'bogus'\." --classe --bogus
row "$APP" 2 err 1 '^tempiolo: Argomento inatteso: «risultati\.csv»\.' risultati.csv
row "$APP" 2 err 1 "^tempiolo: Valore mancante dopo '--esporta-risultati'\." --esporta-risultati
row "$STAND_IN" 2 err 1 '^tempiolo: --esporta-risultati vuole il nome del file CSV' \
    --esporta-risultati=
row "$STAND_IN" 2 err 1 '^tempiolo: --esporta-risultati vuole il nome del file CSV' \
    --esporta-risultati --classe
row "$TEACHER" 2 err 1 "^tempiolo-classe: Opzione sconosciuta 'bogus'\." --bogus

# Handed over to the teacher's program, in any place and in either form.
row "$STAND_IN" 0 out 1 '^tempiolo-classe: --classe$' --classe
row "$STAND_IN" 0 out 1 '^tempiolo-classe: --schermo-intero --classe$' --schermo-intero --classe
row "$STAND_IN" 0 out 1 '^tempiolo-classe: --classe --schermo-intero$' --classe --schermo-intero
row "$STAND_IN" 0 out 1 '^tempiolo-classe: --esporta-risultati r\.csv$' --esporta-risultati r.csv
row "$STAND_IN" 0 out 1 '^tempiolo-classe: --esporta-risultati=r\.csv$' --esporta-risultati=r.csv
row "$STAND_IN" 0 out 1 '^tempiolo-classe: --classe --esporta-risultati r\.csv$' \
    --classe --esporta-risultati r.csv
row "$STAND_IN" 0 out 1 '^tempiolo-classe: -platform offscreen --classe$' -platform offscreen --classe
row "$STAND_IN" 2 err 1 '^tempiolo: no graphical display' --schermo-intero
# Qt's own options, as a session manager or a user gives them, each alone.
for option in platformtheme qwindowgeometry session style stylesheet geometry name; do
    row "$APP" 2 err 1 '^tempiolo: no graphical display' "-$option" x
done
row "$APP" 2 err 1 '^tempiolo: no graphical display' -reverse
row "$APP" 2 err 1 '^tempiolo: no graphical display' -widgetcount
row "$APP" 2 err 1 '^tempiolo: cannot open the display :93$' -display :93
row "$APP" 2 err 1 '^tempiolo: cannot open the display :94$' --display :94 -platform xcb
row "$TEACHER" 2 err 1 '^tempiolo: no graphical display' -platform xcb
row "$STAND_IN" 0 out 1 '^tempiolo-classe: -session 1a2b --classe$' -session 1a2b --classe
row "$STAND_IN" 0 out 1 '^tempiolo-classe: --prepara-server$' --prepara-server

# The school's server, with no service file to find it by: said, exit 1.
row PGSERVICEFILE="$TMP/nessuno.conf" PGSYSCONFDIR="$TMP" "$APP" 1 err 1 \
    '^tempiolo: Il server non si prepara: manca il servizio tempiolo-admin' --prepara-server

# The real export, written by the teacher's program.
row "$APP" 0 out 0 '' --esporta-risultati="$TMP/risultati.csv"
if head -c 3 "$TMP/risultati.csv" 2>/dev/null | grep -q $'^\xEF\xBB\xBF'; then
    echo "ok: the export is written, a CSV with a byte-order mark"
else
    echo "FAIL: --esporta-risultati=FILE writes no CSV"
    failures=$((failures + 1))
fi

# The help lists every option, in Italian.
row "$APP" 0 out + '^Utilizzo:' --help
for option in --schermo-intero --classe '--esporta-risultati <FILE\.csv>' --prepara-server \
    '-h, --help' '-v, --version'; do
    if grep -qE "^ +$option  +[A-Z].*[a-z]" "$TMP/out"; then
        echo "ok: the help describes $option"
    else
        echo "FAIL: the help describes $option"
        failures=$((failures + 1))
    fi
done
[ $failures -eq 0 ]
