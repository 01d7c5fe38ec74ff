#!/usr/bin/env bash
# Measures the editor's CPU use while a song plays with a full-size lyrics text open: starts the
# built program on a virtual display (Xvfb) with the demo song and a 64 KB timed lyrics text,
# presses Ctrl+Enter, and reads the process's CPU time from /proc over 20 seconds.
#   scripts/measure-playback-cpu.sh [seconds]     (needs xvfb and xdotool)
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/app-on-xvfb.sh"
SECONDS_TO_MEASURE="${1:-20}"
# The song and a lyrics text of just under 64 KB whose tags cover the song, so that the now tag
# changes on almost every tick: the most work a tick can have.
cp "$ROOT/resources/demo/demo.mp3" "$TMP/song.mp3"
full_lyrics "$TMP/song.lrc" 25 0 65535
echo "lyrics: $(stat -c %s "$TMP/song.lrc") bytes"

start_app "$ROOT/build/versewright" "$TMP/song.lrc"
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$APP/stat"; }
HZ=$(getconf CLK_TCK)
# measure LABEL SECONDS: the process's CPU time over that long, as a share of one core.
measure() {
    local t0 t1 s0 s1
    t0=$(cpu_ticks)
    s0=$(date +%s.%N)
    sleep "$2"
    t1=$(cpu_ticks)
    s1=$(date +%s.%N)
    awk -v l="$1" -v t="$((t1 - t0))" -v hz="$HZ" -v s0="$s0" -v s1="$s1" 'BEGIN {
        wall = s1 - s0; cpu = t / hz;
        printf "%s: CPU %.2f s over %.1f s, %.1f %% of one core\n", l, cpu, wall, 100 * cpu / wall;
    }'
}
# GStreamer's streaming threads exist only while a song plays.
streaming_threads() { cat /proc/"$APP"/task/*/comm 2>/dev/null | grep -vc -e versewright -e QDBus -e QXcb -e gmain -e gdbus -e pool -e Thread; }

measure "idle, song loaded" 5
xdotool key --window "$WIN" ctrl+Return
sleep 2 # let playback settle
echo "threads other than the program's own: $(streaming_threads)"
measure "playing" "$SECONDS_TO_MEASURE"
