# Sourced by the scripts that drive the real program on a virtual X server, as a user's
# desktop would show it. start_virtual_display starts Xvfb on a display it finds free and
# exports DISPLAY; stop_virtual_display ends it.

start_virtual_display() {
    virtual_display_file=$(mktemp /tmp/morvela-display.XXXXXX)
    # Xvfb picks a free display itself and writes its number once it accepts clients.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$virtual_display_file" \
        >/dev/null 2>&1 &
    virtual_display_pid=$!
    tries=0
    until [ -s "$virtual_display_file" ]; do
        tries=$((tries + 1))
        if [ "$tries" -gt 100 ] || ! kill -0 "$virtual_display_pid" 2>/dev/null; then
            echo "Xvfb did not start" >&2
            return 1
        fi
        sleep 0.1
    done
    DISPLAY=":$(cat "$virtual_display_file")"
    export DISPLAY
}

stop_virtual_display() {
    if [ -n "${virtual_display_pid:-}" ]; then
        kill "$virtual_display_pid" 2>/dev/null || true
        wait "$virtual_display_pid" 2>/dev/null || true
        virtual_display_pid=
    fi
    rm -f "${virtual_display_file:-}"
}
