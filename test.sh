#!/usr/bin/env bash
# Sets up the machine (Debian packages, build) and runs the whole test suite.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
bash "$ROOT/scripts/setup.sh"
TMP="$(mktemp -d)"
trap 'rm -rf "$TMP"' EXIT
mkdir -p "$TMP/config" "$TMP/data" "$TMP/runtime"
chmod 700 "$TMP/runtime"
export QT_QPA_PLATFORM=offscreen
mkdir -p "$TMP/cache"
export XDG_CONFIG_HOME="$TMP/config" XDG_DATA_HOME="$TMP/data" XDG_RUNTIME_DIR="$TMP/runtime" XDG_CACHE_HOME="$TMP/cache"
cd "$ROOT/build"
# A stalled test fails after ten minutes instead of holding up the whole run.
ctest --output-on-failure --timeout 600 -j"$(nproc)" "$@"
