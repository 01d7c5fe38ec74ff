#!/usr/bin/env bash
# Remakes screenshots/timing-the-demo.png: the real program on a virtual display (Xvfb), timing
# the demo song as a user would (xdotool types the keys), captured with GStreamer's ximagesrc.
# Run it after changing anything the main window shows. Needs xvfb, xdotool and the GStreamer
# plugins of deps.txt; the settings and the desktop files it writes go to a temporary folder.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
OUT="$ROOT/screenshots/timing-the-demo.png"
[ -x "$ROOT/build/versewright" ] || bash "$ROOT/scripts/setup.sh"
cmake --build "$ROOT/build" --target versewright -j2 >/dev/null

WORK="$(mktemp -d)"
# The song's folder has a fixed name, so that the picture shows the same path every time.
SONGS="${TMPDIR:-/tmp}/versewright-demo"
APP=""
XVFB=""
cleanup() {
    [ -n "$APP" ] && kill "$APP" 2>/dev/null || true
    [ -n "$XVFB" ] && kill "$XVFB" 2>/dev/null || true
    rm -rf "$WORK" "$SONGS"
}
trap cleanup EXIT
rm -rf "$SONGS"
mkdir -p "$SONGS"
cp "$ROOT/resources/demo/demo.lrc" "$ROOT/resources/demo/demo.mp3" "$SONGS/"
for d in config data cache runtime; do mkdir -p "$WORK/$d"; done
chmod 700 "$WORK/runtime"
export XDG_CONFIG_HOME="$WORK/config" XDG_DATA_HOME="$WORK/data" XDG_CACHE_HOME="$WORK/cache"
export XDG_RUNTIME_DIR="$WORK/runtime" QT_QPA_PLATFORM=xcb
unset LC_ALL LC_MESSAGES WAYLAND_DISPLAY LANGUAGE
export LANG=C.UTF-8

# A free display number.
N=90
while [ -e "/tmp/.X$N-lock" ] || [ -e "/tmp/.X11-unix/X$N" ]; do N=$((N + 1)); done
Xvfb ":$N" -screen 0 1024x720x24 -nolisten tcp >/dev/null 2>&1 &
XVFB=$!
export DISPLAY=":$N"
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done

"$ROOT/build/versewright" "$SONGS/demo.lrc" >/dev/null 2>&1 &
APP=$!
WID=""
for _ in $(seq 100); do
    WID="$(xdotool search --onlyvisible --name 'demo.lrc' 2>/dev/null | head -n1)" && [ -n "$WID" ] && break
    sleep 0.1
done
[ -n "$WID" ] || { echo "screenshot: the program's window did not appear" >&2; exit 1; }
xdotool windowmove "$WID" 0 0 windowsize "$WID" 900 620
xdotool windowfocus --sync "$WID" 2>/dev/null || true
sleep 1

# Tags with hundredths (the format box on the tool bar), then back into the text, the caret on
# the first lyric line, below the header lines and the blank line; then play and stamp the first
# lines as they are sung.
xdotool mousemove 250 36 click 1
sleep 0.5
xdotool key Down Return
sleep 0.3
xdotool mousemove 500 350 click 1
xdotool mousemove 600 250
xdotool key --delay 60 ctrl+Home Down Down Down Down Down
xdotool key ctrl+Return
for wait in 1.0 2.2 2.2 2.2 2.2; do
    sleep "$wait"
    xdotool key Insert
done
sleep 0.8
gst-launch-1.0 -q ximagesrc display-name=":$N" xid="$WID" num-buffers=1 use-damage=false \
    show-pointer=false \
    ! videoconvert ! pngenc ! filesink location="$OUT"
echo "screenshot: wrote $OUT"
