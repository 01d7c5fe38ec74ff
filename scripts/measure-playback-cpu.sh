#!/usr/bin/env bash
# Measures the editor's CPU use while a song plays with a full-size lyrics text open: starts the
# built program on a virtual display (Xvfb) with the demo song and a 64 KB timed lyrics text,
# presses Ctrl+Enter, and reads the process's CPU time from /proc over 20 seconds.
#   scripts/measure-playback-cpu.sh [seconds]     (needs xvfb and xdotool)
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
SECONDS_TO_MEASURE="${1:-20}"
TMP="$(mktemp -d)"
PIDS=()
cleanup() {
    for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null || true; done
    rm -rf "$TMP"
}
trap cleanup EXIT
mkdir -p "$TMP/config" "$TMP/data" "$TMP/runtime"
chmod 700 "$TMP/runtime"

# The song and a lyrics text of just under 64 KB whose tags cover the song, so that the now tag
# changes on almost every tick: the most work a tick can have.
cp "$ROOT/resources/demo/demo.mp3" "$TMP/song.mp3"
awk 'BEGIN {
    out = "[ti:Paper Lanterns]\r\n[ar:Versewright Demo Band]\r\n"; n = 0;
    while (1) {
        t = n * 25; line = sprintf("[%02d:%02d.%02d]Paper lanterns on the water, line %d\r\n",
                                   int(t / 60000), int(t / 1000) % 60, int(t / 10) % 100, n);
        if (length(out) + length(line) > 65535) break;
        out = out line; n++;
    }
    printf "%s", out;
}' >"$TMP/song.lrc"
echo "lyrics: $(stat -c %s "$TMP/song.lrc") bytes"

DISPLAY_NUM=":$((90 + RANDOM % 100))"
Xvfb "$DISPLAY_NUM" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
PIDS+=($!)
sleep 1
export DISPLAY="$DISPLAY_NUM" XDG_CONFIG_HOME="$TMP/config" XDG_DATA_HOME="$TMP/data"
export XDG_RUNTIME_DIR="$TMP/runtime"
"$ROOT/build/versewright" "$TMP/song.lrc" >/dev/null 2>&1 &
APP=$!
PIDS+=($APP)

WIN=""
for _ in $(seq 1 50); do
    WIN=$(xdotool search --pid "$APP" --onlyvisible 2>/dev/null | head -1 || true)
    [ -n "$WIN" ] && break
    sleep 0.2
done
[ -n "$WIN" ] || { echo "the program's window did not appear" >&2; exit 1; }
sleep 1
xdotool windowactivate --sync "$WIN" 2>/dev/null || xdotool windowfocus "$WIN"
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
