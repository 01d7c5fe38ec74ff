#!/usr/bin/env bash
# Makes the bundled demo song: a short tune synthesised note by note with sox, encoded with
# lame, and its untimed lyrics (one line per two-bar phrase). Needs sox and lame (deps.txt).
#   scripts/make-demo.sh [output-folder]      (default: resources/demo)
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
OUT="${1:-$ROOT/resources/demo}"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
mkdir -p "$OUT"

BEAT=0.5   # 120 beats per minute
RATE=44100

freq() { awk -v m="$1" 'BEGIN { printf "%.3f", 440 * 2 ^ ((m - 69) / 12) }'; }
secs() { awk -v b="$1" -v s="$BEAT" 'BEGIN { printf "%.3f", b * s }'; }

# note FILE MIDI BEATS VOICE: one plucked or soft note, faded out so notes do not click.
note() {
    local d
    d=$(secs "$3")
    if [ "$2" = "-" ]; then
        sox -n -r $RATE -c 1 "$1" trim 0 "$d"
    else
        sox -n -r $RATE -c 1 "$1" synth "$d" "$4" "$(freq "$2")" fade q 0.01 "$d" 0.08
    fi
}

# chord FILE BEATS ROOT: a quiet major or minor triad pad ("A" marks minor).
chord() {
    local d root third
    d=$(secs "$2")
    root=${3%A}
    third=4
    [ "$root" != "$3" ] && third=3
    sox -r $RATE -c 3 -n -c 1 "$1" synth "$d" triangle "$(freq "$root")" \
        triangle "$(freq $((root + third)))" triangle "$(freq $((root + 7)))" \
        fade q 0.2 "$d" 0.3
}

# track NAME VOICE "midi:beats ...": renders the notes and joins them into NAME.wav.
track() {
    local i=0 files=() n
    for n in $3; do
        i=$((i + 1))
        note "$WORK/$1-$(printf %04d $i).wav" "${n%%:*}" "${n##*:}" "$2"
        files+=("$WORK/$1-$(printf %04d $i).wav")
    done
    sox "${files[@]}" "$WORK/$1.wav"
}

# Melody: a bar of rest, eight two-bar phrases (one per lyric line), a bar of rest.
MELODY="-:4
64:1 64:1 67:1 67:1 69:1 67:1 64:2
65:1 65:1 64:1 62:1 60:1 62:1 64:2
64:1 64:1 67:1 67:1 72:1 71:1 69:2
69:1 67:1 65:1 64:1 62:1 64:1 60:2
69:1 69:1 72:1 69:1 65:1 67:1 69:2
67:1 67:1 64:1 67:1 71:1 69:1 67:2
69:1 72:1 71:1 69:1 65:1 67:1 69:2
67:1 69:1 71:1 74:1 72:4
-:4"
# One chord per bar: intro, the sixteen bars of the phrases, outro (MIDI roots, A = minor).
CHORDS="48 48 43 45A 41 48 43 41 48 45A 41 48 43 45A 41 43 48 48"

track melody pluck "$MELODY"
BASS=""
for c in $CHORDS; do
    r=${c%A}
    BASS+="$((r - 12)):2 $((r - 5)):2 "
done
track bass pluck "$BASS"
i=0
pads=()
for c in $CHORDS; do
    i=$((i + 1))
    chord "$WORK/pad-$(printf %04d $i).wav" 4 "$c"
    pads+=("$WORK/pad-$(printf %04d $i).wav")
done
sox "${pads[@]}" "$WORK/pad.wav"

sox -m -v 0.55 "$WORK/melody.wav" -v 0.4 "$WORK/bass.wav" -v 0.2 "$WORK/pad.wav" \
    "$WORK/mix.wav" gain -8 reverb 25 norm -1
lame --quiet -m m -b 64 --tt "Paper Lanterns" --ta "Versewright Demo Band" \
    --tl "Examples" "$WORK/mix.wav" "$OUT/demo.mp3"

# Untimed lyrics, CR LF line ends as the editor keeps them.
printf '%s\r\n' \
    "[ti:Paper Lanterns]" \
    "[ar:Versewright Demo Band]" \
    "[al:Examples]" \
    "[by:Versewright]" \
    "" \
    "Paper lanterns on the water" \
    "Drifting slowly out to sea" \
    "Every light a little promise" \
    "Carried home to you from me" \
    "" \
    "When the evening tide is turning" \
    "And the harbour bells ring low" \
    "Follow every line I'm singing" \
    "Till the lanterns start to glow" >"$OUT/demo.lrc"
