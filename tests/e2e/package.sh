#!/usr/bin/env bash
# Builds the .deb, unpacks it into a scratch root and starts the installed
# program from there, through its link in bin/, from another folder, under
# Xvfb: the start screen must appear and the sounds be found beside the real
# executable.
source "$(dirname "$0")/lib.sh"
BUILD=$(realpath "$1")

(cd "$E2E_TMP" && cpack --config "$BUILD/CPackConfig.cmake" -G DEB -B "$E2E_TMP/package" >cpack.log 2>&1) ||
    { cat "$E2E_TMP/cpack.log"; e2e_fail "cpack builds the package"; e2e_finish; }
deb=$(ls "$E2E_TMP"/package/tempiolo_*.deb 2>/dev/null | head -1)
e2e_check "a .deb is built" test -f "$deb"
[ -f "$deb" ] || e2e_finish

info=$(dpkg-deb -I "$deb")
e2e_check "the package is in the education section" grep -q "Section: education" <<<"$info"
e2e_check "it depends on Qt Widgets" grep -qE "Depends:.*libqt6widgets6" <<<"$info"
e2e_check "and on the fonts the texts are sized for" grep -qE "Depends:.*fonts-liberation" <<<"$info"
e2e_check "it recommends Qt's Wayland plugin" grep -qE "^ *Recommends:.*qt6-wayland" <<<"$info"
e2e_check "and Qt's Italian words for --help" grep -qE "^ *Recommends:.*qt6-translations-l10n" <<<"$info"

root="$E2E_TMP/root"
mkdir -p "$root"
dpkg-deb -x "$deb" "$root"
e2e_check "bin/tempiolo links to the private executable" \
    test "$(readlink "$root/usr/bin/tempiolo")" = ../lib/tempiolo/tempiolo
e2e_check "the executable is there" test -x "$root/usr/lib/tempiolo/tempiolo"
e2e_check "the sound module lies beside it" test -f "$root/usr/lib/tempiolo/libtempiolo-suoni.so"
e2e_check "and the results module" test -f "$root/usr/lib/tempiolo/libtempiolo-risultati.so"
e2e_check "it depends on the SQLite driver the results module loads" \
    grep -qE "Depends:.*libqt6sql6-sqlite" <<<"$info"
e2e_check "and suggests the PostgreSQL driver, for a school's server" \
    grep -qE "Suggests:.*libqt6sql6-psql" <<<"$info"
for sound in si1 si2 si3 si4 no; do
    e2e_check "suoni/$sound.wav lies beside it" test -s "$root/usr/lib/tempiolo/suoni/$sound.wav"
done
for clip in gennaio domenica trova-1 trova-8 trova-31 duemiladue; do
    e2e_check "voci/it/$clip.wav lies beside it" test -s "$root/usr/lib/tempiolo/voci/it/$clip.wav"
done
voices_kib=$(du -sk "$root/usr/lib/tempiolo/voci" | cut -f1)
deb_kib=$(( $(stat -c %s "$deb") / 1024 ))
echo "the voices take $voices_kib KiB unpacked; the package is $deb_kib KiB"
e2e_check "the package stays small with its voices (under 8 MiB)" test "$deb_kib" -lt 8192
e2e_check "the menu entry is valid" desktop-file-validate "$root/usr/share/applications/tempiolo.desktop"
e2e_check "it is in the Education category" grep -q "^Categories=Education;" "$root/usr/share/applications/tempiolo.desktop"
e2e_check "the AppStream description is valid" \
    appstreamcli validate --no-net "$root/usr/share/metainfo/org.example.tempiolo.metainfo.xml"
e2e_check "the icon is an SVG in the hicolor theme" \
    grep -q "<svg" "$root/usr/share/icons/hicolor/scalable/apps/tempiolo.svg"
e2e_check "the menu entry offers to start in full screen" \
    grep -q "^Exec=tempiolo --schermo-intero" "$root/usr/share/applications/tempiolo.desktop"
e2e_check "the licence is GPL-3.0-or-later in the AppStream description" \
    grep -q "<project_license>GPL-3.0-or-later</project_license>" \
    "$root/usr/share/metainfo/org.example.tempiolo.metainfo.xml"
e2e_check "a machine-readable copyright file is installed" \
    grep -q "^License: GPL-3.0-or-later" "$root/usr/share/doc/tempiolo/copyright"
# What a distribution asks of a package: no lintian error nor warning.
lintian --fail-on error,warning "$deb" >"$E2E_TMP/lintian.log" 2>&1
e2e_check "lintian finds no error and no warning" test $? -eq 0
grep -v "^running with root" "$E2E_TMP/lintian.log"

e2e_check "the installed program says its version" \
    test "$("$root/usr/bin/tempiolo" --version)" = "tempiolo 1.0.0"
e2e_check "and its help is in Italian" grep -q "^Utilizzo: tempiolo \[opzioni\]" \
    <<<"$(env -u DISPLAY "$root/usr/bin/tempiolo" --help)"

e2e_start_x
cd "$E2E_TMP" || exit 1
strace -f -e trace=openat -o "$E2E_TMP/strace.log" "$root/usr/bin/tempiolo" >"$E2E_TMP/app.log" 2>&1 &
E2E_APP_PID=$!
e2e_check "the installed program shows its start screen" e2e_wait_window 653 642
# The sounds are made ready just after the start screen is painted: the
# last one opened is in the trace.
end=$((SECONDS + E2E_PATIENCE))
until grep -q "$root/usr/lib/tempiolo/suoni/no.wav\".*= [0-9]" "$E2E_TMP/strace.log" ||
    [ $SECONDS -gt $end ]; do
    sleep 0.1 # between two looks
done
e2e_check "it loads its sound module" grep -qE "$root/usr/lib/tempiolo/libtempiolo-suoni.so\".*= [0-9]" "$E2E_TMP/strace.log"
e2e_check "and opens its sounds beside the real executable" \
    grep -qE "$root/usr/lib/tempiolo/suoni/si1.wav\".*= [0-9]" "$E2E_TMP/strace.log"
# The program itself first: strace, told to end, lets its tracee run on, and
# the script's end would wait for it (a run under load hung there until
# the test's timeout).
pkill -KILL -P "$E2E_APP_PID" 2>/dev/null
e2e_finish
