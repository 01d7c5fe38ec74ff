#!/usr/bin/env bash
# Sets up the machine (Debian packages, build) and starts the editor.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "versewright: no display found (DISPLAY and WAYLAND_DISPLAY are unset); start it from a desktop session." >&2
    exit 1
fi
bash "$ROOT/scripts/setup.sh"
if [ $# -eq 0 ] && [ -f "$ROOT/resources/demo/demo.lrc" ]; then
    exec "$ROOT/build/versewright" "$ROOT/resources/demo/demo.lrc"
fi
exec "$ROOT/build/versewright" "$@"
