#!/usr/bin/env bash
# make bench: Tempiolo's start-up and memory against the smallest Qt Widgets
# program (the floor), and the cost of its handlers, printed as one table.
#   tools/bench.sh [build folder]       BENCH_RUNS=31 by default
set -euo pipefail
build=${1:-build}
runs=${BENCH_RUNS:-31}
cmake --build "$build" -j 2 --target tempiolo tempiolo_floor tempiolo_startup bench_handlers \
    bench_voice bench_results_analysis bench_server_class tst_school_server >/dev/null
# The voice is timed at a real sound server: PulseAudio with a null sink.
for p in pulseaudio pulseaudio-utils; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
            pulseaudio pulseaudio-utils >/dev/null
        break
    fi
done

tmp=$(mktemp -d)
xvfb=""
pulse=""
cleanup() {
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    [ -n "$pulse" ] && kill "$pulse" 2>/dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR="$tmp/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
floor=$(realpath "$build/tempiolo_floor")
app=$(realpath "$build/tempiolo")

startup() { # platform; prints "floor-ms floor-kib app-ms app-kib"
    QT_QPA_PLATFORM=$1 "$build/tempiolo_startup" "$runs" "$floor" "$app" 2>/dev/null |
        awk '{ printf "%s %s ", $2, $3 } END { print "" }'
}

echo "Measuring start-up on the offscreen platform ($runs runs each)..." >&2
read -r off_fms off_fkb off_ams off_akb <<<"$(startup offscreen)"

echo "Measuring start-up under Xvfb ($runs runs each)..." >&2
mkfifo "$tmp/displayfd"
Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1024x768x24 3>"$tmp/displayfd" >/dev/null 2>&1 &
xvfb=$!
read -r number <"$tmp/displayfd"
export DISPLAY=":$number"
read -r x_fms x_fkb x_ams x_akb <<<"$(startup xcb)"

echo "Measuring the handlers..." >&2
QT_QPA_PLATFORM=offscreen "$build/tests/bench_handlers" -maxwarnings 0 >"$tmp/handlers.txt" 2>&1 || true

echo "Measuring La classe on a year of a class's answers..." >&2
QT_QPA_PLATFORM=offscreen "$build/tests/bench_results_analysis" >"$tmp/class.txt" 2>/dev/null || true

echo "Measuring La classe and the sender on a real PostgreSQL..." >&2
QT_QPA_PLATFORM=offscreen "$build/tests/bench_server_class" >"$tmp/server.txt" 2>/dev/null || true
"$build/tests/tst_school_server" eachAnswerWithinASecond catchingUp >"$tmp/sender.txt" 2>&1 || true

echo "Measuring the voice at a PulseAudio null sink..." >&2
HOME="$tmp" pulseaudio -n --daemonize=no --exit-idle-time=-1 \
    --load="module-null-sink sink_name=bench" --load=module-native-protocol-unix \
    >"$tmp/pulse.log" 2>&1 &
pulse=$!
for _ in $(seq 50); do HOME="$tmp" pactl info >/dev/null 2>&1 && break; sleep 0.1; done
HOME="$tmp" QT_QPA_PLATFORM=offscreen "$build/bench_voice" >"$tmp/voice.txt" 2>/dev/null || true

ratio() { awk "BEGIN { printf \"%.2f\", $2 / $1 }"; }
verdict() { awk "BEGIN { print ($1 <= $2) ? \"met\" : \"not met\" }"; }

echo
echo "## Start-up and memory (medians of $runs runs, floor and Tempiolo taking turns)"
echo
echo "| Measure | Floor | Tempiolo | Ratio | Target |"
echo "|---|---|---|---|---|"
r=$(ratio "$off_fms" "$off_ams")
echo "| Start-up to first paint, offscreen | $off_fms ms | $off_ams ms | $r | ≤ 1.15 ($(verdict "$r" 1.15)) |"
r=$(ratio "$x_fms" "$x_ams")
echo "| Start-up to first paint, Xvfb | $x_fms ms | $x_ams ms | $r | ≤ 1.15 ($(verdict "$r" 1.15)) |"
r=$(ratio "$off_fkb" "$off_akb")
echo "| Peak RSS, offscreen | $((off_fkb / 1024)) MB | $((off_akb / 1024)) MB | $r | ≤ 1.25 ($(verdict "$r" 1.25)) |"
r=$(ratio "$x_fkb" "$x_akb")
echo "| Peak RSS, Xvfb | $((x_fkb / 1024)) MB | $((x_akb / 1024)) MB | $r | ≤ 1.25 ($(verdict "$r" 1.25)) |"

sql=$(ldd "$app" | grep -c 'libQt6Sql' || true)
echo
echo "Qt SQL among the libraries the program starts with: $([ "$sql" -eq 0 ] && echo none || echo "$sql (it should be none)"); it comes with \`libtempiolo-risultati.so\`, loaded only when a child of a class is picked."

echo
echo "## Inside the program (offscreen, each timing includes the repaint it causes)"
echo
awk '
    /^RESULT : BenchHandlers::/ {
        split($0, parts, "::"); test = parts[2]; sub(/\(\).*/, "", test)
        match($0, /"[^"]+"/); window = substr($0, RSTART + 1, RLENGTH - 2)
        getline; value[window, test] = $1; windows[window] = 1; next
    }
    /^handler / {
        window = $2; what = $3; sub(/:$/, "", what)
        value[window, what] = $5 " / " $8; next
    }
    END {
        print "| Window | Open (ms) | Lay out at 3840 × 2160 (ms) | Paint at 3840 × 2160 (ms) | New round (ms) | Wrong drop (ms) | Right drop, median / max (ms) | Right drop, answers kept for a child, median / max (ms) | Round-completing drop, automatic, median / max (ms) |"
        print "|---|---|---|---|---|---|---|---|---|"
        n = split("FormAvvio FormMenu ChiGioca Form1 Form2 Form3 Form4 Form5 Form6 Form7", order, " ")
        for (i = 1; i <= n; ++i) {
            w = order[i]
            printf "| %s | %s | %s | %s | %s | %s | %s | %s | %s |\n", w, value[w, "openWindow"], value[w, "layOutAt4K"], value[w, "paintAt4K"],
                (value[w, "newRound"] == "" ? "-" : value[w, "newRound"]),
                (value[w, "wrongDrop"] == "" ? "-" : value[w, "wrongDrop"]),
                (value[w, "right-drop"] == "" ? "-" : value[w, "right-drop"]),
                (value[w, "right-drop-kept"] == "" ? "-" : value[w, "right-drop-kept"]),
                (value[w, "completing-drop"] == "" ? "-" : value[w, "completing-drop"])
        }
    }' "$tmp/handlers.txt"
echo
echo "Targets: every handler under 2 ms, every window open and every lay-out at 3840 × 2160 under 16 ms."

echo
echo "## The voice (PulseAudio null sink, warm, 10 taps on a card)"
echo
awk '
    /^voice tap-to-sample/ { tap = $4 " ms median, " $7 " ms max" }
    /^voice question/ { join = $(NF - 6) " ms" }
    END {
        print "| Measure | Value | Target |"
        print "|---|---|---|"
        print "| Tap on a card to the first sample of its name at the sound server | " (tap == "" ? "not measured" : tap) " | ≤ 100 ms |"
        print "| Silence at each join of a question said in three clips | " (join == "" ? "not measured" : join) " | ≤ 60 ms |"
    }' "$tmp/voice.txt"
echo
echo "## La classe (offscreen, 25 children × 10,000 answers over 3 computers' files)"
echo
echo "| Measure | Time | Target |"
echo "|---|---|---|"
awk -F'  +' '/ ms/ { sub(/^ */, "", $2); target = ($1 ~ /^opening/) ? "< 1 s" : ($1 ~ /due for one child/) ? "< 10 ms" : ""; print "| " $1 " | " $2 " | " target " |" }' "$tmp/class.txt"
echo
echo "## The school's server (a PostgreSQL 15 started here; 500 children, the class of 25 with 10,000 answers each)"
echo
echo "| Measure | Time | Target |"
echo "|---|---|---|"
awk -F'  +' '/ ms/ { sub(/^ */, "", $2); print "| " $1 " on the server | " $2 " | < 1 s |" }' "$tmp/server.txt"
sed -n 's/^QINFO.*From an answer to the server: \(.*\)$/| An answer on the server after it is given | \1 | 95th percentile < 1 s |/p' "$tmp/sender.txt"
sed -n 's/^QINFO.*10000 queued answers on the server in \(.*\)$/| 10,000 queued answers caught up | \1 | < 10 s |/p' "$tmp/sender.txt"
if grep -q '^FAIL' "$tmp/handlers.txt"; then
    grep '^FAIL' "$tmp/handlers.txt"
    exit 1
fi
