# Sourced by the window scripts: a private Xvfb server and a private set of
# folders for the program, both removed on exit. After start_xvfb, $display
# holds the server's display number and $work a temporary folder with
# home, run, config, data and cache folders inside. Exits 77 (skipped) when
# Xvfb is not installed. The screen is 1024x768 unless XVFB_SCREEN gives
# another (WIDTHxHEIGHTxDEPTH).

work=$(mktemp -d)
server=""
cleanup_actions=()

cleanup() {
    local action
    for action in "${cleanup_actions[@]}"; do eval "$action"; done
    if [ -n "$server" ]; then kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

start_xvfb() {
    if ! command -v Xvfb >/dev/null; then
        echo "SKIPPED: Xvfb is not installed (scripts/install-deps installs it)" >&2
        exit 77
    fi
    # Xvfb picks a free display itself and writes its number once it is ready.
    mkfifo "$work/display"
    Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1024x768x24}" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    server=$!
    display=""
    read -r -t 20 display <"$work/display" || true
    if [ -z "$display" ]; then
        echo "FAILED: Xvfb did not start" >&2
        cat "$work/xvfb.log" >&2
        exit 1
    fi
    mkdir -m 700 "$work/home" "$work/run" "$work/config" "$work/data" "$work/cache"
}

# Runs a command on the private display with the private folders.
on_display() {
    env -u WAYLAND_DISPLAY DISPLAY=":$display" QT_QPA_PLATFORM=xcb HOME="$work/home" XDG_RUNTIME_DIR="$work/run" \
        XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_CACHE_HOME="$work/cache" \
        TUNEWRIGHT_HOME="$work/lists" "$@"
}
