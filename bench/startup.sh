#!/usr/bin/env bash
# Start-up to a window on screen, under Xvfb: Versewright opening lyrics whose song lies beside
# them, and, when it is installed, kid3-qt opening the same MP3, side by side in the same run.
# Prints for each the median time from launch to a mapped, visible window and the peak resident
# memory (VmHWM) once the song has loaded.
#
#   bench/startup.sh [path/to/versewright] [runs]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
PROGRAM="${1:-$ROOT/build/versewright}"
RUNS="${2:-7}"
for tool in Xvfb xdotool sox lame; do
    command -v "$tool" >/dev/null || { echo "startup.sh: $tool is missing" >&2; exit 1; }
done
[ -x "$PROGRAM" ] || { echo "startup.sh: no program at $PROGRAM" >&2; exit 1; }

TMP="$(mktemp -d)"
XVFB_PID=""
cleanup() {
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    rm -rf "$TMP"
}
trap cleanup EXIT

# A private display, clear of any other.
for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    break
done
for _ in $(seq 100); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.05; done

# Four minutes of song and its lyrics.
sox -q -n -r 44100 -c 2 -b 16 "$TMP/song.wav" synth 240 sine 330 vol 0.1
lame --quiet -b 192 "$TMP/song.wav" "$TMP/song.mp3"
rm "$TMP/song.wav"
for i in $(seq 0 59); do printf '[%02d:%02d.00]line %d of the song\r\n' $((i * 4 / 60)) $((i * 4 % 60)) "$i"; done >"$TMP/song.lrc"

mkdir -p "$TMP/config" "$TMP/data" "$TMP/cache" "$TMP/runtime"
chmod 700 "$TMP/runtime"
export XDG_CONFIG_HOME="$TMP/config" XDG_DATA_HOME="$TMP/data" XDG_CACHE_HOME="$TMP/cache"
export XDG_RUNTIME_DIR="$TMP/runtime" QT_QPA_PLATFORM=xcb

# One launch: milliseconds to the first visible window of the process, then its peak memory
# after the song has had a second to load. Prints "ms kB".
launch() {
    local start end pid hwm
    start=$(date +%s%N)
    "$@" >"$TMP/launch.log" 2>&1 &
    pid=$!
    until xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1; do
        kill -0 "$pid" 2>/dev/null || { echo "startup.sh: $1 ended early:" >&2; tail -5 "$TMP/launch.log" >&2; return 1; }
        sleep 0.005
    done
    end=$(date +%s%N)
    sleep 1
    hwm=$(awk '/^VmHWM/ {print $2}' "/proc/$pid/status")
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null || true
    echo "$(((end - start) / 1000000)) $hwm"
}

# Median of each column over the runs; the first launch warms caches and is not counted.
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
measure() {
    local name="$1" results="$TMP/results"
    shift
    launch "$@" >/dev/null
    for _ in $(seq "$RUNS"); do launch "$@"; done >"$results"
    printf '%-12s window %5d ms   peak memory %7d kB   (median of %d)\n' "$name" \
        "$(cut -d' ' -f1 "$results" | median)" "$(cut -d' ' -f2 "$results" | median)" "$RUNS"
}

measure versewright "$PROGRAM" "$TMP/song.lrc"
if command -v kid3-qt >/dev/null; then
    measure kid3-qt kid3-qt "$TMP/song.mp3"
else
    echo "kid3-qt      not installed: no reference figures"
fi
