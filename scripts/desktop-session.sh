#!/bin/bash
# One daemon's checks for test-desktop.sh, run inside a session bus of its own: starts the
# daemon, a second program and Morvela as a desktop would, types as a user and reads the
# composition back from the clipboard. Prints one line per check and leaves "PASSED FAILED"
# in WORK/counts. Usage: desktop-session.sh fcitx5|ibus BUILD-DIR WORK
set -u

daemon=$1
build=$2
work=$3
sources=$(cd "$(dirname "$0")/.." && pwd)
passed=0
failed=0
pids=""

finish() {
    for pid in $pids; do
        kill -CONT "$pid" 2>/dev/null
        kill "$pid" 2>/dev/null
    done
    wait 2>/dev/null
    echo "$passed $failed" >"$work/counts"
}
trap finish EXIT

# check NAME COMMAND...: one line for the check, counted.
check() {
    local name=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
        echo "ok    $daemon: $name"
    else
        failed=$((failed + 1))
        echo "FAIL  $daemon: $name"
        { echo "== $name"; "${daemon}_state"; } >>"$work/failures.log" 2>&1
    fi
}

# wait_until SECONDS COMMAND...: true as soon as COMMAND succeeds, false after SECONDS.
wait_until() {
    local deadline=$(($(date +%s) + $1))
    shift
    until "$@"; do
        [ "$(date +%s)" -ge "$deadline" ] && return 1
        sleep 0.1
    done
}

# start NAME TITLE COMMAND...: starts a program in an empty folder and gives its window the
# focus, as a window manager would; sets PID_name, WINDOW_name (empty when none showed within
# 10 s) and SHOWN_name, the milliseconds until it showed.
start() {
    local name=$1 title=$2 window begun
    shift 2
    begun=$(date +%s%N)
    (cd "$work/empty" && exec "$@") >>"$work/$name.log" 2>&1 &
    pids="$pids $!"
    eval "PID_$name=$!"
    window=$(timeout 10 xdotool search --sync --onlyvisible --name "^$title\$" | head -n 1)
    eval "WINDOW_$name=$window SHOWN_$name=$((($(date +%s%N) - begun) / 1000000))"
    [ -n "$window" ] && focus "$name"
}

# shown_soon NAME: its window showed within 5 s, where a blocking call to a hung daemon
# would take 25 (xdotool looks for the window every half second).
shown_soon() {
    local window="WINDOW_$1" shown="SHOWN_$1"
    echo "      window shown after ${!shown} ms"
    [ -n "${!window}" ] && [ "${!shown}" -lt 5000 ]
}

focus() {
    local window="WINDOW_$1"
    xdotool windowfocus --sync "${!window}" 2>/dev/null
}

stop() {
    local pid="PID_$1"
    kill "${!pid}" 2>/dev/null
    wait "${!pid}" 2>/dev/null
}

morvela() {
    start morvela Morvela env QT_QPA_PLATFORM=xcb QT_IM_MODULE="$daemon" \
        QT_LOGGING_RULES=morvela.inputmethod.debug=true "$build/app/morvela"
}

peer() {
    start peer peer env QT_QPA_PLATFORM=xcb QT_IM_MODULE="$daemon" \
        "$build/tests/desktop/morvela_text_peer" peer
}

# keys KEY...: presses them, then lets the programs and the daemon take them.
keys() {
    xdotool key --delay 80 "$@"
    sleep 0.3
}

type_ka() {
    xdotool type --delay 80 ka
    sleep 0.3
}

clipboard_is() {
    [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$1" ]
}

# The composition, as the copy button (Shift+Tab from the composition box) publishes it.
published_from_box() {
    keys shift+Tab space
    wait_until 5 clipboard_is "$1"
}

peer_text_is() {
    [ "$(sed -n 's/^text=//p' "$work/peer.log" | tail -n 1)" = "$1" ]
}

# Asks the bus, never the daemon: a call to a daemon that is not running would start one.
has_owner() {
    gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
        --method org.freedesktop.DBus.NameHasOwner "$1" 2>/dev/null | grep -q true
}

has_no_owner() {
    ! has_owner "$1"
}

# fcitx5: its controller answers for the input context it focused last.

controller() {
    gdbus call --session --timeout 5 --dest org.fcitx.Fcitx5 --object-path /controller \
        --method "org.fcitx.Fcitx.Controller1.$1" 2>/dev/null
}

# fcitx5_im_is IM: the context fcitx5 focused last has input method IM.
fcitx5_im_is() {
    controller CurrentInputMethod | grep -q "'$1'"
}

# fcitx5_on PROGRAM IM: PROGRAM's input context has the focus and input method IM.
fcitx5_on() {
    controller DebugInfo | sed 's/\\n/\n/g' | grep -q "program:$1 .*focus:1" &&
        fcitx5_im_is "$2"
}

# What the daemon says now, for the failure log.
fcitx5_state() {
    has_owner org.fcitx.Fcitx5 || { echo "fcitx5 not running"; return; }
    controller DebugInfo | sed 's/\\n/\n/g'
    controller CurrentInputMethod
}

start_fcitx5() {
    fcitx5 --verbose='*=2' >>"$work/fcitx5.log" 2>&1 &
    FCITX5=$!
    pids="$pids $FCITX5"
    wait_until 10 has_owner org.fcitx.Fcitx5
}

fcitx5_checks() {
    mkdir -p "$XDG_CONFIG_HOME/fcitx5"
    cat >"$XDG_CONFIG_HOME/fcitx5/profile" <<'EOF'
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=anthy

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=anthy
Layout=

[GroupOrder]
0=Default
EOF
    start_fcitx5 || { echo "FAIL  fcitx5 did not start"; failed=$((failed + 1)); return; }

    # The second program has the focus last when Morvela starts: that is where a request
    # sent too early lands.
    peer
    wait_until 10 fcitx5_on morvela_text_peer keyboard-us
    morvela
    check "start-up: the input method comes on in the composition box" \
        wait_until 10 fcitx5_on morvela anthy
    type_ka
    keys Return
    check "start-up: ka Return in the composition box gives か" published_from_box か

    keys Tab Tab
    type_ka
    keys Return Return
    check "Tab to the text line: ka Return Return publishes かか" wait_until 5 clipboard_is かか

    # Off by the trigger key in the box; the copy button must leave it off.
    keys shift+Tab ctrl+space
    wait_until 5 fcitx5_on morvela keyboard-us
    type_ka
    keys shift+Tab
    check "the copy button leaves the input method off" fcitx5_on morvela keyboard-us
    keys space
    check "typed while off: ka" wait_until 5 clipboard_is かかka
    keys Tab
    check "Tab back to the composition box turns it on again" \
        wait_until 5 fcitx5_on morvela anthy
    type_ka
    keys Return
    check "... and ka Return gives か" published_from_box かかkaか

    # Off again before leaving: coming back must turn it on.
    keys Tab ctrl+space
    wait_until 5 fcitx5_on morvela keyboard-us
    focus peer
    wait_until 5 fcitx5_on morvela_text_peer keyboard-us
    type_ka
    check "the second program's input context is left alone: ka" wait_until 5 peer_text_is ka
    focus morvela
    check "back from the second program: on again" wait_until 5 fcitx5_on morvela anthy
    type_ka
    keys Return
    check "... and ka Return gives か" published_from_box かかkaかか
    stop morvela
    stop peer

    kill "$FCITX5"
    wait "$FCITX5" 2>/dev/null
    wait_until 5 has_no_owner org.fcitx.Fcitx5
    morvela
    check "without fcitx5: the window is shown at once" shown_soon morvela
    start_fcitx5
    # Ours is the only context now. A fresh fcitx5 sometimes sees it unfocused again right
    # after its FocusIn, until the next key: only what typing gives is checked.
    wait_until 10 fcitx5_im_is anthy
    type_ka
    keys Return
    check "fcitx5 started after Morvela: ka Return gives か" published_from_box か
    stop morvela

    kill -STOP "$FCITX5"
    morvela
    check "with fcitx5 hung: the window is shown at once" shown_soon morvela
    kill -CONT "$FCITX5"
    wait_until 10 fcitx5_im_is anthy
    type_ka
    keys Return
    check "fcitx5 going on again: ka Return gives か" published_from_box か
    stop morvela
}

# IBus: one engine for all programs; the stand-in panel reports focus and input mode.

ibus_state() {
    echo "engine: $(ibus engine 2>&1)"
    tail -n 5 "$work/panel.log"
}

ibus_engine_is() {
    [ "$(ibus engine 2>/dev/null)" = "$1" ]
}

# The input mode the panel heard of last: the focused context's, since a focus-in brings the
# engine's properties anew.
mode_is() {
    [ "$(sed -n 's/^mode //p' "$work/panel.log" | tail -n 1)" = "$1" ]
}

focus_ins_above() {
    [ "$(grep -c '^focus-in' "$work/panel.log")" -gt "$1" ]
}

ibus_on() {
    ibus_engine_is "$1" && mode_is "$2"
}

ibus_checks() {
    gsettings set org.freedesktop.ibus.general preload-engines "['xkb:us::eng', 'anthy']"
    ibus-daemon --panel=disable --emoji-extension=disable --verbose >>"$work/ibus.log" 2>&1 &
    pids="$pids $!"
    if ! wait_until 10 ibus engine xkb:us::eng; then
        echo "FAIL  ibus-daemon did not start"
        failed=$((failed + 1))
        return
    fi
    /usr/bin/python3 "$sources/tests/desktop/ibus-state-panel.py" >"$work/panel.log" 2>&1 &
    pids="$pids $!"
    wait_until 10 grep -q 'panel ready' "$work/panel.log"

    peer
    wait_until 5 grep -q '^focus-in' "$work/panel.log"
    morvela
    check "start-up: our context on anthy in hiragana" wait_until 10 ibus_on anthy Hiragana
    type_ka
    keys Return
    check "start-up: ka Return in the composition box gives か" published_from_box か

    keys Tab Tab
    type_ka
    keys Return Return
    check "Tab to the text line: ka Return Return publishes かか" wait_until 5 clipboard_is かか

    # Anthy's own on/off key (Ctrl+J) in the box; the copy button must leave it off.
    keys shift+Tab ctrl+j
    wait_until 5 mode_is Latin
    type_ka
    keys shift+Tab
    check "the copy button leaves the input mode at Latin" ibus_on anthy Latin
    keys space
    check "typed while off: ka" wait_until 5 clipboard_is かかka
    keys Tab
    check "Tab back to the composition box: hiragana again" wait_until 5 ibus_on anthy Hiragana
    type_ka
    keys Return
    check "... and ka Return gives か" published_from_box かかkaか

    keys Tab
    focus peer
    check "leaving Morvela gives the engine back" wait_until 5 ibus_engine_is xkb:us::eng
    type_ka
    check "the second program's input context is left alone: ka" wait_until 5 peer_text_is ka
    focus morvela
    check "back from the second program: on again" wait_until 5 ibus_on anthy Hiragana
    type_ka
    keys Return
    check "... and ka Return gives か" published_from_box かかkaかか
    # Closed from its menu (ファイル, 終了) while it has the focus.
    keys alt+f x
    check "closing Morvela gives the engine back" wait_until 5 ibus_engine_is xkb:us::eng
    stop morvela
    stop peer

    ibus engine xkb:us::eng
    gsettings set org.freedesktop.ibus.general preload-engines "['xkb:us::eng']"
    focus_ins=$(grep -c '^focus-in' "$work/panel.log")
    morvela
    # Nothing to wait for but our context's focus, then time for a switch that must not come.
    wait_until 5 focus_ins_above "$focus_ins"
    sleep 1
    type_ka
    check "no Japanese engine configured: ka stays ka" published_from_box ka
    check "... and the engine is left as it was" ibus_engine_is xkb:us::eng
    stop morvela
}

"${daemon}_checks"
[ "$failed" -eq 0 ]
