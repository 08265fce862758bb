#!/usr/bin/env bash
# Runs ui_screenshot under a private Xvfb server and keeps its pictures.
# Usage: screenshot.sh PATH/TO/ui_screenshot OUT_FOLDER
# Exit 0 passed, 1 failed, 77 skipped (Xvfb is not installed).
set -euo pipefail

program=$1
out=$2
work=$(mktemp -d)
server=""

cleanup() {
    if [ -n "$server" ]; then kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

if ! command -v Xvfb >/dev/null; then
    echo "SKIPPED: Xvfb is not installed (scripts/install-deps installs it)" >&2
    exit 77
fi

# Xvfb picks a free display itself and writes its number once it is ready.
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
server=$!
display=""
read -r -t 20 display <"$work/display" || true
if [ -z "$display" ]; then
    echo "FAILED: Xvfb did not start" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi

mkdir -m 700 "$work/home" "$work/run" "$work/config" "$work/data" "$work/cache"
mkdir -p "$out"
env -u WAYLAND_DISPLAY DISPLAY=":$display" QT_QPA_PLATFORM=xcb HOME="$work/home" XDG_RUNTIME_DIR="$work/run" \
    XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_CACHE_HOME="$work/cache" \
    TUNEWRIGHT_HOME="$work/lists" timeout 60 "$program" "$out"
