#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each one for a while, seeded
# from fuzz/corpus/<target>/ (the seeds stay untouched: new inputs go to build-fuzz/corpus/).
#   scripts/fuzz.sh [seconds-per-target] [target...]     (default 600 s, every target)
# JOBS=n runs n targets at a time (default 2). Every target runs under nice -n 19, so the
# fuzzing takes only what the machine has spare. A finding is kept in build-fuzz/findings/
# <target>/ and makes the script fail; the summary lists executions and time per target.
# Needs clang and its libFuzzer runtime, which Debian ships apart from the compiler and which
# CI does not need, so they are not in deps.txt: apt-get install clang libclang-rt-14-dev
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build-fuzz"
SECONDS_PER_TARGET="${1:-600}"
shift || true
JOBS="${JOBS:-2}"
ALL=(lyr mpt check text_open whole_text header_tags now_tag mp3_length id3v1)
TARGETS=("${@:-${ALL[@]}}")

NEEDS="clang++ with its libFuzzer runtime is needed: apt-get install clang libclang-rt-14-dev"
command -v clang++ >/dev/null || { echo "$NEEDS" >&2; exit 1; }
PROBE="$(mktemp -d)"
trap 'rm -rf "$PROBE"' EXIT
echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, long) { return 0; }' >"$PROBE/probe.cpp"
clang++ -fsanitize=fuzzer "$PROBE/probe.cpp" -o "$PROBE/probe" 2>/dev/null || { echo "$NEEDS" >&2; exit 1; }
# Configured every time, so a target added since the last run is known to the build.
CXX=clang++ cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVERSEWRIGHT_FUZZ=ON >/dev/null
nice -n 10 cmake --build "$BUILD" --target "${TARGETS[@]/#/fuzz_}" -j"$(nproc)"

# Longer inputs for the text readers, so that the editor's limit is reached.
max_len() {
    case "$1" in
    text_open | whole_text | header_tags | now_tag) echo 70000 ;;
    *) echo 8192 ;;
    esac
}

run_target() {
    local t="$1" work="$BUILD/corpus/$1" found="$BUILD/findings/$1" log="$BUILD/logs/$1.log"
    mkdir -p "$work" "$found" "$(dirname "$log")"
    local rc=0
    nice -n 19 "$BUILD/fuzz/fuzz_$t" "$work" "$ROOT/fuzz/corpus/$t" \
        -max_total_time="$SECONDS_PER_TARGET" -max_len="$(max_len "$t")" -timeout=20 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$found/" >"$log" 2>&1 || rc=$?
    local runs secs
    runs=$(awk '/stat::number_of_executed_units/ { print $2 }' "$log")
    secs=$(awk '/^Done [0-9]+ runs in/ { print $5 }' "$log")
    printf '%-12s %10s executions in %6s s  corpus %5s  %s\n' "$t" "${runs:-?}" "${secs:-?}" \
        "$(find "$work" -type f | wc -l)" "$([ "$rc" -eq 0 ] && echo "no finding" || echo "FINDING: see $log")"
    return "$rc"
}

SUMMARY="$BUILD/fuzz-summary.txt"
: >"$SUMMARY"
FAILED=0
running=0
for t in "${TARGETS[@]}"; do
    [ -x "$BUILD/fuzz/fuzz_$t" ] || { echo "no fuzz target $t" >&2; exit 1; }
    (run_target "$t" >>"$SUMMARY") &
    running=$((running + 1))
    if [ "$running" -ge "$JOBS" ]; then
        wait -n || FAILED=1
        running=$((running - 1))
    fi
done
while [ "$running" -gt 0 ]; do
    wait -n || FAILED=1
    running=$((running - 1))
done
cat "$SUMMARY"
exit "$FAILED"
