#!/usr/bin/env bash
# Runs ui_window_pictures under a private Xvfb server at scale 1 and 2, and
# keeps its pictures.
# Usage: window_pictures.sh PATH/TO/ui_window_pictures OUT_FOLDER
# Exit 0 passed, 1 failed, 77 skipped (Xvfb is not installed).
set -euo pipefail

program=$1
out=$2
XVFB_SCREEN=2560x1600x24
source "$(dirname "$0")/xvfb_session.sh"
start_xvfb
mkdir -p "$out"
for scale in 1 2; do
    rm -rf "$work/lists"
    on_display env QT_SCALE_FACTOR=$scale timeout 60 "$program" "$out"
done
