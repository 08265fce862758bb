#!/usr/bin/env bash
# Runs ui_screenshot under a private Xvfb server and keeps its pictures.
# Usage: screenshot.sh PATH/TO/ui_screenshot OUT_FOLDER
# Exit 0 passed, 1 failed, 77 skipped (Xvfb is not installed).
set -euo pipefail

program=$1
out=$2
source "$(dirname "$0")/xvfb_session.sh"
start_xvfb
mkdir -p "$out"
on_display timeout 60 "$program" "$out"
