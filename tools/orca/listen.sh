#!/bin/bash
# listen.sh - run a program under the real Orca screen reader (headless) and
#               print what Orca SPEAKS, interleaved with the keys sent.
#
# Usage:
#   listen.sh [-o OUTDIR] [-w STARTWAIT] [-g GREP_EXTRA] -s "STEPS" -- PROGRAM [ARGS...]
#
#   STEPS  ';'-separated list; each step is  "KEYS... PAUSE"  where KEYS are
#          xdotool key names sent in order (Tab, space, Return, Left, ctrl+s,
#          F5, a ...) and PAUSE is seconds to wait afterwards (default 1.5).
#          Special steps:  "sleep N"   "type:TEXT PAUSE"   "cmd:SHELL CMD"
#          (cmd: runs inside the session, e.g. an AT-SPI dump script).
#   -w     seconds to wait after starting PROGRAM before the first step (5)
#   -o     output dir (default: new /tmp/tempiolo-orca.XXXX); holds
#          orca-debug.log (full Orca debug log), app.out, steps.log, speech.txt
#   -g     extra egrep pattern of debug-log lines to show in the timeline; useful:
#          -g 'OBJECT EVENT|Ignoring|DEFAULT: (Old|Event|Interrupting)|ERROR|bad content|Skipping'
#          ("DEFAULT: Interrupting presentation" = a key press cut off speech)
#
# Output (stdout): a timeline, one line per key step (">>> ...") and per
# utterance ("HH:MM:SS.ffffff SPEECH OUTPUT: '...'"), sorted by time.  If the
# program prints lines "HH:MM:SS.ffffff APP text" on stdout they are merged in.
#
# Example:
#   tools/orca/listen.sh -s "Return 3; Tab Tab Tab 1.5; Return 4; space 2; Return 3" \
#       -- build/tempiolo
#   (Avvio, "Riordina i mesi (1)", a card picked up and dropped on the first place)
# Needs orca-line-buffered.py next to this script.
# Takes ~10 s + the steps. Needs: Xvfb openbox xdotool orca speech-dispatcher(-espeak-ng)
# at-spi2-core python3-pyatspi dbus(-x11) and the it_IT.UTF-8 locale.
#
# Setup it performs (measured recipe): Xvfb -noreset, dbus-run-session,
# at-spi-bus-launcher, gsettings toolkit-accessibility, openbox, private HOME
# with speech-dispatcher -> ALSA null sink, Orca with --debug-file read live
# (via orca-line-buffered.py), program run with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 and
# LANG=it_IT.UTF-8.  Orca is NOT started with --replace (that would kill every
# Orca owned by this uid, including other people's); orca-line-buffered.py instead
# disables Orca's "another Orca is running" check.
set -u
HERE=$(cd "$(dirname "$0")" && pwd)
ts() { date +%H:%M:%S.%6N; }

if [ "${1:-}" != "--inner" ]; then
    OUT=""; STARTWAIT=5; STEPS=""; GREP_EXTRA=""
    while getopts "o:w:s:g:" opt; do
        case $opt in
            o) OUT=$OPTARG;; w) STARTWAIT=$OPTARG;; s) STEPS=$OPTARG;;
            g) GREP_EXTRA=$OPTARG;;
            *) sed -n '2,/^set -u/p' "$0" | grep '^#'; exit 2;;
        esac
    done
    shift $((OPTIND-1))
    [ "${1:-}" = "--" ] && shift
    [ $# -ge 1 ] || { sed -n '2,/^set -u/p' "$0" | grep '^#'; exit 2; }
    [ -n "$OUT" ] || OUT=$(mktemp -d /tmp/tempiolo-orca.XXXX)
    mkdir -p "$OUT"; OUT=$(cd "$OUT" && pwd)
    rm -f "$OUT"/orca-debug.log "$OUT"/steps.log "$OUT"/speech.txt

    # private HOME: speech-dispatcher talks to ALSA, ALSA default is a null sink
    H="$OUT/home"; mkdir -p "$H/.config/speech-dispatcher"
    if [ -f /etc/speech-dispatcher/speechd.conf ]; then
        sed 's/^ *#\? *AudioOutputMethod .*/AudioOutputMethod "alsa"/' \
            /etc/speech-dispatcher/speechd.conf > "$H/.config/speech-dispatcher/speechd.conf"
        grep -q '^AudioOutputMethod' "$H/.config/speech-dispatcher/speechd.conf" ||
            echo 'AudioOutputMethod "alsa"' >> "$H/.config/speech-dispatcher/speechd.conf"
    else
        echo 'AudioOutputMethod "alsa"' > "$H/.config/speech-dispatcher/speechd.conf"
    fi
    echo 'pcm.!default { type null }' > "$H/.asoundrc"
    mkdir -p "$OUT/xdg"; chmod 700 "$OUT/xdg"

    # free X display
    D=60; while [ -e /tmp/.X$D-lock ] || [ -e /tmp/.X11-unix/X$D ]; do D=$((D+1)); done
    Xvfb :$D -noreset -screen 0 1280x800x24 -nolisten tcp >"$OUT/xvfb.out" 2>&1 &
    XPID=$!
    for i in $(seq 50); do [ -e /tmp/.X11-unix/X$D ] && break; sleep 0.1; done

    env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        HOME="$H" XDG_RUNTIME_DIR="$OUT/xdg" DISPLAY=:$D LANG=it_IT.UTF-8 \
        OUT="$OUT" STEPS="$STEPS" STARTWAIT="$STARTWAIT" \
        dbus-run-session -- "$0" --inner "$@" >"$OUT/session.out" 2>&1
    kill $XPID 2>/dev/null; wait $XPID 2>/dev/null

    # timeline
    {
        cat "$OUT/steps.log" 2>/dev/null
        # program's own timestamped lines "HH:MM:SS.ffffff APP ..." (optional)
        grep -aE '^[0-9]{2}:[0-9]{2}:[0-9]{2}\.[0-9]+ APP ' "$OUT/app.out" 2>/dev/null
        PAT="^[0-9:.]+ - SPEECH OUTPUT"
        [ -n "$GREP_EXTRA" ] && PAT="$PAT|^[0-9:.]+ - .*($GREP_EXTRA)"
        grep -aE "$PAT" "$OUT/orca-debug.log" 2>/dev/null |
            sed 's/^\([0-9:.]*\) - /\1 /'
    } | sort -s -k1,1 | tee "$OUT/speech.txt"
    echo; echo "(full Orca log: $OUT/orca-debug.log)" >&2
    exit 0
fi

# ---------------- inside dbus-run-session ----------------
shift
PIDS=()
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$OUT/atspi.out" 2>&1 &
PIDS+=($!)
sleep 1
gsettings set org.gnome.desktop.interface toolkit-accessibility true
openbox >"$OUT/openbox.out" 2>&1 &
PIDS+=($!)
sleep 0.5
/usr/bin/python3 -u "$HERE/orca-line-buffered.py" --debug-file="$OUT/orca-debug.log" >"$OUT/orca.out" 2>&1 &
ORCAPID=$!
# wait for Orca's first utterance (start-up message)
for i in $(seq 300); do
    grep -q "SPEECH OUTPUT" "$OUT/orca-debug.log" 2>/dev/null && break; sleep 0.1
done
sleep 1
echo "$(ts) >>> START $*" >>"$OUT/steps.log"
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LANG=it_IT.UTF-8 "$@" >"$OUT/app.out" 2>&1 &
APPPID=$!
sleep "$STARTWAIT"

IFS=';' read -ra STEPARR <<<"$STEPS"
for step in "${STEPARR[@]}"; do
    step=$(echo "$step" | sed 's/^ *//; s/ *$//')
    [ -z "$step" ] && continue
    case $step in
        sleep\ *) echo "$(ts) >>> $step" >>"$OUT/steps.log"; sleep "${step#sleep }"; continue;;
        cmd:*)    echo "$(ts) >>> $step" >>"$OUT/steps.log"
                  T=$(ts); bash -c "${step#cmd:}" 2>&1 | sed "s/^/$T     | /" >>"$OUT/steps.log"; continue;;
    esac
    read -ra W <<<"$step"
    PAUSE=1.5; N=${#W[@]}
    if [[ ${W[N-1]} =~ ^[0-9]+(\.[0-9]+)?$ ]]; then PAUSE=${W[N-1]}; unset 'W[N-1]'; fi
    echo "$(ts) >>> ${W[*]}" >>"$OUT/steps.log"
    if [[ ${W[0]} == type:* ]]; then
        TXT=${step#type:}
        [[ ${TXT##* } =~ ^[0-9]+(\.[0-9]+)?$ ]] && [[ $TXT == *" "* ]] && TXT=${TXT% *}
        xdotool type --delay 80 "$TXT"
    else
        xdotool key --delay 100 "${W[@]}"
    fi
    sleep "$PAUSE"
done
echo "$(ts) >>> END" >>"$OUT/steps.log"
kill $APPPID $ORCAPID 2>/dev/null
sleep 0.5
kill "${PIDS[@]}" 2>/dev/null
# speech-dispatcher started by Orca in this session
for f in "$OUT"/xdg/speech-dispatcher/pid/*.pid "$OUT"/home/.cache/speech-dispatcher/pid/*.pid; do
    [ -f "$f" ] && kill "$(cat "$f")" 2>/dev/null
done
wait 2>/dev/null
exit 0
