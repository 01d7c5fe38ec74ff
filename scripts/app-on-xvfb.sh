# Shared by the scripts that drive the built program on a virtual display (sourced, not run).
# Sourcing it makes TMP, a scratch folder, and PIDS, the processes to end; both go on exit.
TMP="$(mktemp -d)"
PIDS=()
cleanup() {
    for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null || true; done
    rm -rf "$TMP"
}
trap cleanup EXIT

# full_lyrics FILE STEP_MS WRAP_MS LIMIT: a timed lyrics text of at most LIMIT bytes, one line
# every STEP_MS, the times wrapping at WRAP_MS (0: never), so the now tag changes often.
full_lyrics() {
    awk -v step="$2" -v wrap="$3" -v limit="$4" 'BEGIN {
        out = "[ti:Paper Lanterns]\r\n[ar:Versewright Demo Band]\r\n"; n = 0;
        while (1) {
            t = wrap > 0 ? (n * step) % wrap : n * step;
            line = sprintf("[%02d:%02d.%02d]Paper lanterns on the water, line %d\r\n",
                           int(t / 60000), int(t / 1000) % 60, int(t / 10) % 100, n);
            if (length(out) + length(line) > limit) break;
            out = out line; n++;
        }
        printf "%s", out;
    }' >"$1"
}

# start_app PROGRAM LYRICS: starts Xvfb and the program on it with its own XDG folders, waits
# for its window and focuses it; sets APP (its process) and WIN (its window).
start_app() {
    mkdir -p "$TMP/config" "$TMP/data" "$TMP/runtime" "$TMP/cache"
    chmod 700 "$TMP/runtime"
    local display=":$((200 + RANDOM % 300))"
    Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    PIDS+=($!)
    sleep 1
    export DISPLAY="$display" XDG_CONFIG_HOME="$TMP/config" XDG_DATA_HOME="$TMP/data"
    export XDG_RUNTIME_DIR="$TMP/runtime" XDG_CACHE_HOME="$TMP/cache"
    unset QT_QPA_PLATFORM
    "$1" "$2" >"$TMP/program.log" 2>&1 &
    APP=$!
    PIDS+=($APP)
    WIN=""
    for _ in $(seq 1 100); do
        WIN=$(xdotool search --pid "$APP" --onlyvisible 2>/dev/null | head -1 || true)
        [ -n "$WIN" ] && break
        sleep 0.2
    done
    [ -n "$WIN" ] || { echo "the program's window did not appear" >&2; exit 1; }
    sleep 1
    xdotool windowactivate --sync "$WIN" 2>/dev/null || xdotool windowfocus "$WIN"
}
