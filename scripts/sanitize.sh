#!/usr/bin/env bash
# Builds the program and its tests with sanitizers in a folder of their own and runs the tests.
#   scripts/sanitize.sh [address|thread] [ctest arguments...]
# address (the default; CI runs it): AddressSanitizer, LeakSanitizer and UndefinedBehavior-
#   Sanitizer, every report fatal, over the whole test suite in build-asan/. First it shows on a
#   planted out-of-bounds read and a planted overflow that the sanitizers report and fail.
# thread: ThreadSanitizer in build-tsan/ over the tests that play through GStreamer (label gst),
#   where its streaming threads meet the interface thread.
# Leaks and races inside the system libraries are suppressed in scripts/sanitizers/*.supp.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
MODE="${1:-address}"
shift || true
SUPP="$ROOT/scripts/sanitizers"

case "$MODE" in
address)
    BUILD="$ROOT/build-asan"
    FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
    TARGETS=(all)
    TESTS=()
    ;;
thread)
    BUILD="$ROOT/build-tsan"
    FLAGS="-fsanitize=thread"
    TARGETS=(test_player_gst test_player_damaged test_gui_playback)
    TESTS=(-L gst)
    ;;
*)
    echo "usage: $0 [address|thread] [ctest arguments...]" >&2
    exit 2
    ;;
esac

# Every report ends the process with an error; leaks are looked for at exit.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_odr_violation=0"
export LSAN_OPTIONS="suppressions=$SUPP/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# The libraries below are not built with ThreadSanitizer: what they copy, allocate or free through
# its interceptors is left out, or every buffer GStreamer or Qt hands over under its own futex
# locks (which the sanitizer cannot see) would show as a race in the code that reads it.
export TSAN_OPTIONS="suppressions=$SUPP/tsan.supp:halt_on_error=1:second_deadlock_stack=1:ignore_noninstrumented_modules=1"

TMP="$(mktemp -d)"
trap 'rm -rf "$TMP"' EXIT
mkdir -p "$TMP/config" "$TMP/data" "$TMP/runtime" "$TMP/cache"
chmod 700 "$TMP/runtime"
# The build runs test programs too (test discovery), so it gets the test environment as well.
export QT_QPA_PLATFORM=offscreen
export XDG_CONFIG_HOME="$TMP/config" XDG_DATA_HOME="$TMP/data" XDG_RUNTIME_DIR="$TMP/runtime"
export XDG_CACHE_HOME="$TMP/cache"

CXX="${CXX:-g++}"
# planted NAME EXPECTED SOURCE: a tiny program with a planted fault must fail with that report.
planted() {
    printf '%s\n' "$3" >"$TMP/$1.cpp"
    "$CXX" $FLAGS -g -O1 "$TMP/$1.cpp" -o "$TMP/$1"
    if "$TMP/$1" >"$TMP/$1.log" 2>&1; then
        echo "planted $1 was not caught: the sanitizer build would miss real faults" >&2
        exit 1
    fi
    grep -q "$2" "$TMP/$1.log" || { cat "$TMP/$1.log" >&2; echo "planted $1: no '$2' report" >&2; exit 1; }
    echo "planted $1: caught"
}
if [ "$MODE" = address ]; then
    planted out-of-bounds "heap-buffer-overflow" 'int main(int argc, char**) {
    char* p = new char[argc * 8]();
    int v = p[argc * 8];
    delete[] p;
    return v;
}'
    planted overflow "signed integer overflow" '#include <climits>
int main(int argc, char**) { int v = INT_MAX - 1 + argc; v += argc; return v == 0; }'
else
    planted race "data race" '#include <thread>
int g_n = 0;
int main() { std::thread t([] { ++g_n; }); ++g_n; t.join(); return 0; }'
fi

if [ ! -f "$BUILD/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER="$CXX" \
        -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DCMAKE_CXX_FLAGS="$FLAGS" \
        -DCMAKE_EXE_LINKER_FLAGS="$FLAGS" -DCMAKE_SHARED_LINKER_FLAGS="$FLAGS"
fi
cmake --build "$BUILD" -j"$(nproc)" --target "${TARGETS[@]}"
cd "$BUILD"
# Sanitized tests run several times slower, mostly waiting on real-time playback: more of them
# run side by side than there are cores, and each may take longer before it counts as stalled.
ctest --output-on-failure --timeout 900 -j"$(($(nproc) * 2))" "${TESTS[@]}" "$@"
