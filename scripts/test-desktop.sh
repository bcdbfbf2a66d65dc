#!/bin/bash
# Runs the real program against the real input-method daemons, fcitx5 (with Anthy) and then
# IBus (with Anthy), on a virtual X server, each in a session bus and a home of its own, and
# checks as a user would: by typing and reading the clipboard. One line per check, then a
# summary; the exit status is not zero when a check failed. Usage: test-desktop.sh BUILD-DIR
set -u

build=$(cd "$1" && pwd)
scripts=$(cd "$(dirname "$0")" && pwd)
. "$scripts/virtual-display.sh"
work=$(mktemp -d /tmp/morvela-desktop.XXXXXX)
# libanthy keeps its files in the passwd entry's home, whatever HOME says.
anthy_home=$(getent passwd "$(id -u)" | cut -d: -f6)/.anthy
anthy_home_existed=false
[ -e "$anthy_home" ] && anthy_home_existed=true

cleanup() {
    stop_virtual_display
    $anthy_home_existed || rm -rf "$anthy_home"
}
trap cleanup EXIT
start_virtual_display || exit 1

started=$(date +%s)
status=0
for daemon in fcitx5 ibus; do
    session=$work/$daemon
    mkdir -p "$session/home/.config" "$session/home/.local/share" "$session/home/.cache" \
        "$session/empty"
    mkdir -m 700 "$session/runtime"
    # Set before the bus starts: what it starts on demand (dconf, which stores what gsettings
    # sets) takes the bus's environment. ibus-anthy's engine runs the first python3 on PATH,
    # which must be Debian's own, with its GObject bindings.
    env -u DBUS_SESSION_BUS_ADDRESS -u IBUS_ADDRESS -u WAYLAND_DISPLAY -u QT_IM_MODULE \
        -u GTK_IM_MODULE -u XMODIFIERS -u XDG_CONFIG_DIRS \
        HOME="$session/home" XDG_CONFIG_HOME="$session/home/.config" \
        XDG_DATA_HOME="$session/home/.local/share" XDG_CACHE_HOME="$session/home/.cache" \
        XDG_RUNTIME_DIR="$session/runtime" PATH="/usr/bin:/bin:/usr/sbin:/sbin:$PATH" \
        LANG=C.UTF-8 \
        dbus-run-session -- bash "$scripts/desktop-session.sh" "$daemon" "$build" "$session" \
        2>>"$session/bus.log" || status=1
done

passed=0
failed=0
for daemon in fcitx5 ibus; do
    if read -r p f <"$work/$daemon/counts" 2>/dev/null; then
        passed=$((passed + p))
        failed=$((failed + f))
    else
        echo "FAIL  $daemon: the session did not finish"
        failed=$((failed + 1))
    fi
done
echo "test-desktop: $passed passed, $failed failed in $(($(date +%s) - started)) s"
if [ "$failed" -ne 0 ] || [ "$status" -ne 0 ]; then
    echo "logs in $work"
    exit 1
fi
rm -rf "$work"
