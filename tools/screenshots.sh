#!/usr/bin/env bash
# Takes the README's pictures of the real program under Xvfb:
#   tools/screenshots.sh build/tempiolo docs
set -euo pipefail
app=$(realpath "$1")
out=$(realpath "${2:-docs}")
here=$(dirname "$(realpath "$0")")
mkdir -p "$out"

# The test helpers already know how to start X, wait for windows and click.
source "$here/../tests/e2e/lib.sh"
e2e_start_x
e2e_start_app "$app"

window_shot() { # file, window width, height (menu bar included)
    sleep 0.5
    import -window root -crop "${2}x${3}+${WIN_X}+${WIN_Y}" +repage "$out/$1"
    echo "wrote $out/$1"
}

e2e_wait_window 653 642 && window_shot start-screen.png 653 642
e2e_click_window 307 347
e2e_wait_window 646 568 && window_shot menu.png 646 568
e2e_click_window 150 216
e2e_wait_exercise 687 513 && window_shot riordina-mesi.png 687 $((513 + MENU_H))

# A class with a year of made-up answers (the bench makes them): "Chi
# gioca?", "La classe" on its results, and a page of a child's report.
kill "$E2E_APP_PID" 2>/dev/null
wait "$E2E_APP_PID" 2>/dev/null || true
build=$(dirname "$app")
cmake --build "$build" --target bench_results_analysis >/dev/null
QT_QPA_PLATFORM=offscreen "$build/tests/bench_results_analysis" "$E2E_TMP/data/Tempiolo" >/dev/null 2>&1
e2e_start_app "$app"
e2e_wait_window 653 642 && e2e_click_window 307 347
e2e_wait_window 646 600 && window_shot chi-gioca.png 646 600
kill "$E2E_APP_PID" 2>/dev/null
e2e_start_app "$app" --classe
sleep 3
teacher=$(xdotool search --onlyvisible --name "La classe" | head -1)
xdotool windowsize "$teacher" 1000 740 windowmove "$teacher" 0 0 windowfocus "$teacher"
sleep 0.5
xdotool key ctrl+Tab
sleep 1.5
import -window root -crop 1000x740+0+0 +repage "$out/la-classe.png"
echo "wrote $out/la-classe.png"
pdftoppm -png -r 60 -f 1 -l 1 -singlefile "$E2E_TMP/data/Tempiolo/bambino.pdf" "$out/rapporto"
echo "wrote $out/rapporto.png"
kill "$E2E_APP_PID" 2>/dev/null

# The same exercise full screen on a 1920 x 1080 whiteboard, halved in size.
kill "$E2E_APP_PID" 2>/dev/null
kill "$E2E_XVFB_PID" 2>/dev/null
wait 2>/dev/null || true
rm -f "$E2E_TMP/displayfd"
E2E_SCREEN=1920x1080x24 e2e_start_x
openbox >/dev/null 2>&1 &
sleep 1
e2e_start_app "$app" --schermo-intero
full_screen() { [ "$WIDTH" = 1920 ] && [ "$HEIGHT" = 1080 ]; }
e2e_wait_for full_screen
xdotool key Return
sleep 1
e2e_wait_for full_screen
# The fourth button of the menu, "Riordina i mesi (1)".
xdotool key Tab Tab Tab Return
sleep 1.5
e2e_wait_for full_screen
sleep 0.5
import -window root -resize 50% "$out/schermo-intero.png"
echo "wrote $out/schermo-intero.png"

