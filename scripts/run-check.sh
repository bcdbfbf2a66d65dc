#!/bin/sh
# Starts an installed morvela as a desktop's menu does: in an empty home folder with no list
# beside it, on a virtual X server. Then, as a user, picks the first phrase and the first
# kaomoji and reads the clipboard: both must come from the installed sample lists.
# Usage: run-check.sh PREFIX
set -eu

prefix=$1
. "$(dirname "$0")/virtual-display.sh"
work=$(mktemp -d /tmp/morvela-run.XXXXXX)
program_pid=
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
    stop_virtual_display
    rm -rf "$work"
}
trap cleanup EXIT
start_virtual_display

first_entry() {
    head -n 1 "$prefix/share/morvela/$1" | tr -d '\r' | iconv -f CP932 -t UTF-8
}
expected="$(first_entry morvela1.txt)$(first_entry kao1.txt)"

mkdir "$work/home"
mkdir -m 700 "$work/runtime"
# No session bus: nothing of the user's desktop may answer for the program.
(cd "$work/home" && exec env -u XDG_CONFIG_HOME HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" \
    XDG_DATA_DIRS="$prefix/share" \
    QT_QPA_PLATFORM=xcb QT_IM_MODULE= DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent \
    "$prefix/bin/morvela") &
program_pid=$!
window=$(timeout 10 xdotool search --sync --onlyvisible --name '^Morvela$' | head -n 1)
# No window manager gives the new window the focus; xdotool does it in its place.
xdotool windowfocus --sync "$window"
sleep 0.5
# The phrase list is two Tabs from the composition box; Down picks its first entry.
xdotool key Tab Tab Down
# The kaomoji list takes the focus by the mouse only.
xdotool mousemove --window "$window" 150 130 click 1
xdotool key Down
sleep 0.5
clipboard=$(xclip -o -selection clipboard)
if [ "$clipboard" != "$expected" ]; then
    echo "the clipboard holds '$clipboard' instead of '$expected'" >&2
    exit 1
fi
echo "$prefix/bin/morvela started with both sample lists: '$clipboard' on the clipboard"
