#!/usr/bin/env bash
# Makes the spoken clips of one language from its list, with espeak-ng:
#   make_voices.sh LIST VOICE OUTDIR
# LIST has a clip a line, "file name<TAB>words" ('#' starts a comment);
# VOICE is an espeak-ng voice ("it+f3"). Each clip is said a little slower
# and higher than espeak-ng's default, as children's programs speak, and
# its silence at both ends is trimmed so that clips join without a gap,
# then 110 ms of silence is put back at its end: Qt Multimedia 6.4 stops a
# sound about 110 ms before its end (measured by make bench), which would
# otherwise cut off the last sound of every word.
# The same list and voice always give the same files.
set -euo pipefail
list=$1 voice=$2 out=$3
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
while IFS=$'\t' read -r name words; do
    case $name in '' | '#'*) continue ;; esac
    espeak-ng -v "$voice" -s 140 -p 60 -w "$tmp/raw.wav" "$words"
    sox "$tmp/raw.wav" "$out/$name.wav" silence 1 0.01 0.5% reverse silence 1 0.01 0.5% reverse \
        pad 0 0.11
done <"$list"
