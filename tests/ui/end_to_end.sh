#!/usr/bin/env bash
# Drives the real program under a private Xvfb server with xdotool, as a
# person would: RTTTL pasted through "Get It...", shown as keypresses, saved
# as a .key file, the list exported; then checks every file written against
# what the command line writes for the same ringtone, and the settings kept
# at exit.
# Usage: end_to_end.sh PATH/TO/tunewright PATH/TO/ui_control_map
# Exit 0 passed, 1 failed, 77 skipped (Xvfb or xdotool is not installed).
set -euo pipefail

program=$1
control_map=$2
source "$(dirname "$0")/xvfb_session.sh"
if ! command -v xdotool >/dev/null; then
    echo "SKIPPED: xdotool is not installed (scripts/install-deps installs it)" >&2
    exit 77
fi
start_xvfb

ringtone='Tune:d=4,o=5,b=125:8c,8d,8e'
lists="$work/lists"
saves="$work/saves"
mkdir -p "$lists" "$saves" "$work/bin" "$work/config/Tunewright"
# The desktop's opener, recording what it was asked to open.
printf '#!/bin/sh\nprintf "%%s\\n" "$1" >>"%s"\n' "$work/opened" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
# A program that has run before, with other choices than the ones clicked
# below; its web check goes to a port of 127.0.0.1 where nothing listens.
printf '[Settings]\nRingToneDirectory=%s\nSourceType=1\nFromFile=True\nShowType=0\nCurrentList=Favtones\n' "$saves" \
    >"$work/config/Tunewright/Tunewright.conf"
export TUNEWRIGHT_BASE_URL=http://127.0.0.1:9/

step="starting"
fail() {
    echo "FAILED while $step: $*" >&2
    [ -f "$work/program.log" ] && sed 's/^/  program: /' "$work/program.log" >&2
    exit 1
}
xdo() { DISPLAY=":$display" xdotool "$@"; }

map=$(on_display timeout 60 "$control_map") || fail "ui_control_map failed"

# The one visible window with exactly this caption, waited for.
window() {
    local id
    id=$(DISPLAY=":$display" timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1) || true
    [ -n "$id" ] || fail "no window \"$1\" appeared"
    echo "$id"
}

# File menu entry $1 of the main window, by its underlined letter, until
# the command "$2" succeeds; a menu too slow to open is tried again.
file_menu() {
    local attempt
    for attempt in 1 2 3; do
        xdo windowfocus --sync "$main"
        xdo key alt+f
        sleep 0.5
        xdo key "$1"
        if eval "$2"; then return 0; fi
        xdo key Escape Escape
    done
    fail "File menu entry '$1' did nothing"
}

ended() {
    local _
    for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || return 0; sleep 0.1; done
    return 1
}

# Clicks a control of the map inside window $1.
click() {
    local at
    at=$(awk -v name="$2" '$1 == name { print $2, $3; exit }' <<<"$map")
    [ -n "$at" ] || fail "the control map has no $2"
    # shellcheck disable=SC2086
    xdo mousemove --window "$1" $at click 1
    sleep 0.3
}

# Waits up to 20 s for a file to exist and hold a line matching $2.
wait_for() {
    local tries=0
    until [ -f "$1" ] && grep -q -- "$2" "$1"; do
        tries=$((tries + 1))
        [ $tries -le 200 ] || fail "$1 never held \"$2\""
        sleep 0.1
    done
}

PATH="$work/bin:$PATH" on_display "$program" >"$work/program.log" 2>&1 &
pid=$!
cleanup_actions+=('kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true')

main=$(window "Tunewright V3.3")
step="pasting the ringtone through Get It..."
click "$main" frmConverter/optSource0
click "$main" frmConverter/optFile1
click "$main" frmConverter/cmdGet
paste=$(window "Get a Ringtone")
xdo windowfocus --sync "$paste"
xdo type --delay 15 "$ringtone"
click "$paste" frmNewRingTone/cmdOk
wait_for "$lists/Favtones.dat" '^\[Tune\]'
stored="RTTTL=$(printf '%s' "$ringtone" | "$program" convert --from rtttl --to rtttl)"$'\r'
grep -qxF "$stored" "$lists/Favtones.dat" || fail "Favtones.dat does not hold $stored: $(cat -A "$lists/Favtones.dat")"

step="showing it as keypresses and saving it as .key"
click "$main" frmConverter/optShowAs2
file_menu k 'DISPLAY=":$display" timeout 10 xdotool search --sync --onlyvisible --name "^Save As Keypress File\$" >/dev/null'
save=$(window "Save As Keypress File")
xdo windowfocus --sync "$save"
xdo key ctrl+a
xdo type --delay 15 "tune.key"
xdo key Return
wait_for "$saves/tune.key" '^Tune:'
printf '%s' "$ringtone" | "$program" convert --from rtttl --to keypresses -o "$work/expected.key"
cmp "$saves/tune.key" "$work/expected.key" ||
    fail "tune.key holds $(cat -A "$saves/tune.key"), the command line writes $(cat -A "$work/expected.key")"

step="exporting the list"
click "$main" frmConverter/cmdExport
exporter=$(window "Export Ringtone List")
click "$exporter" frmExport/cmdOk
wait_for "$work/opened" "tonelist.txt"
[ "$(cat "$work/opened")" = "$lists/tonelist.txt" ] || fail "the opener was asked for $(cat "$work/opened")"
TUNEWRIGHT_HOME="$lists" "$program" list export Favtones -o "$work/expected.txt" >/dev/null
# The header's date and time are the moment of writing.
stamp='s/[0-9]\{4\}-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]/DATE/'
diff <(sed "$stamp" "$lists/tonelist.txt") <(sed "$stamp" "$work/expected.txt") >&2 ||
    fail "tonelist.txt differs from what 'tunewright list export' writes"

step="leaving through File > Exit"
file_menu x ended
wait "$pid" || fail "the program ended with status $?"
conf="$work/config/Tunewright/Tunewright.conf"
for kept in SourceType=0 FromFile=False ShowType=2 CurrentList=Favtones "RingToneDirectory=$saves"; do
    grep -qxF "$kept" "$conf" || fail "the settings do not keep $kept: $(cat "$conf")"
done
echo "passed: pasted, shown as keypresses, saved as .key, exported, settings kept"
