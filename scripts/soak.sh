#!/usr/bin/env bash
# Playback soak: the built program plays a song over and over for a long stretch with a full
# 64 KB lyrics text, while time tags are stamped (Insert) and deleted (Home, then Delete over
# a tag's width) by keys every few seconds, as a user timing a song would. Resident memory is
# printed every minute; the run fails if the program dies, or if its resident memory at the end
# is more than 2 MiB above what it was after the first five minutes.
#   scripts/soak.sh [minutes]          (default 60; needs xvfb, xdotool, sox and lame)
# BUILD=folder picks another build (default build/); the curve is also written to $SOAK_LOG
# when that is set.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${BUILD:-$ROOT/build}"
MINUTES="${1:-60}"
SETTLE_MINUTES=5
LIMIT_KIB=2048
ACTION_EVERY=3     # seconds between key actions
SONG_SECONDS=90    # the song; playback is restarted when it has run out

[ -x "$BUILD/versewright" ] || { echo "no program at $BUILD/versewright: build first" >&2; exit 1; }
source "$ROOT/scripts/app-on-xvfb.sh"
# A song of SONG_SECONDS: a slow two-note melody, so the decoder does real work throughout.
sox -n -r 44100 -c 2 "$TMP/song.wav" synth "$SONG_SECONDS" sine 330 sine 440 tremolo 2 40 \
    vol 0.3 2>/dev/null
lame --quiet -b 128 "$TMP/song.wav" "$TMP/song.mp3"
rm "$TMP/song.wav"

# A lyrics text of about 64 KB whose tags cover the whole song, a little short of the editor's
# limit so that a stamp always fits; each stamp is balanced by a deletion of the same width.
full_lyrics "$TMP/song.lrc" 60 $((SONG_SECONDS * 1000)) 65000
echo "lyrics: $(stat -c %s "$TMP/song.lrc") bytes, song: $SONG_SECONDS s, run: $MINUTES min"
start_app "$BUILD/versewright" "$TMP/song.lrc"
sleep 1

alive() { kill -0 "$APP" 2>/dev/null; }
rss_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$APP/status"; }
keys() { xdotool key --window "$WIN" --delay 40 "$@"; }
note() {
    echo "$1"
    if [ -n "${SOAK_LOG:-}" ]; then echo "$1" >>"$SOAK_LOG"; fi
}

play() { keys ctrl+q ctrl+Return; }
play
START=$SECONDS
NEXT_SAMPLE=$START
NEXT_PLAY=$((START + SONG_SECONDS + 2))
BASE=""
LAST=""
PEAK=0
ACTIONS=0
MINUTE=0
while [ $((SECONDS - START)) -lt $((MINUTES * 60)) ]; do
    alive || { echo "the program died after $(((SECONDS - START) / 60)) min" >&2; exit 1; }
    if [ "$SECONDS" -ge "$NEXT_SAMPLE" ]; then
        LAST=$(rss_kib)
        [ "$MINUTE" -eq "$SETTLE_MINUTES" ] && BASE=$LAST
        [ "$MINUTE" -ge "$SETTLE_MINUTES" ] && [ "$LAST" -gt "$PEAK" ] && PEAK=$LAST
        note "minute $MINUTE: resident $LAST KiB, $ACTIONS key actions"
        MINUTE=$((MINUTE + 1))
        NEXT_SAMPLE=$((START + MINUTE * 60))
    fi
    if [ "$SECONDS" -ge "$NEXT_PLAY" ]; then
        play
        NEXT_PLAY=$((SECONDS + SONG_SECONDS + 2))
    fi
    # Stamp the caret's line, then take the same width away at the start of a line.
    if [ $((ACTIONS % 2)) -eq 0 ]; then
        keys Insert
    else
        keys Home
        xdotool key --window "$WIN" --delay 20 --repeat 7 Delete
    fi
    ACTIONS=$((ACTIONS + 1))
    sleep "$ACTION_EVERY"
done
alive || { echo "the program died at the end of the run" >&2; exit 1; }
LAST=$(rss_kib)
# The keys must have reached the editor: save, and the file must have changed.
cp "$TMP/song.lrc" "$TMP/before.lrc"
keys ctrl+q ctrl+s
sleep 2
if cmp -s "$TMP/song.lrc" "$TMP/before.lrc"; then
    echo "the saved lyrics are unchanged: the keys did not reach the editor" >&2
    exit 1
fi
# Stamps of several different times: the song really played.
STAMPS=$(grep -o '^\[[0-9][0-9]:[0-9][0-9]\]\[' "$TMP/song.lrc" | sort -u | wc -l)
note "saved lyrics: $(stat -c %s "$TMP/song.lrc") bytes, stamps of $STAMPS different times"
[ "$STAMPS" -gt 1 ] || { echo "the stamps do not show the song playing" >&2; exit 1; }
[ "$MINUTE" -gt "$SETTLE_MINUTES" ] && [ "$LAST" -gt "$PEAK" ] && PEAK=$LAST
note "end: resident $LAST KiB after $MINUTES min, $ACTIONS key actions"
if [ -z "$BASE" ]; then
    note "run shorter than $SETTLE_MINUTES min: no growth judged"
    exit 0
fi
GROWTH=$((LAST - BASE))
note "growth after minute $SETTLE_MINUTES: $GROWTH KiB (peak $((PEAK - BASE)) KiB, limit $LIMIT_KIB KiB)"
if [ "$GROWTH" -gt "$LIMIT_KIB" ]; then
    echo "resident memory grew by more than 2 MiB" >&2
    exit 1
fi
