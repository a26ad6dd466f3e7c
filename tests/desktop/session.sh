#!/usr/bin/env bash
# Helpers for the desktop tests: a private Xvfb display with openbox, the real app on
# it, and conditions polled with a timeout (never fixed sleeps). Source it, then call
# start_session and start_app. VERBARIUM_APP names the binary under test.
set -euo pipefail

readonly INPUT_TITLE='Verbarium'
readonly CLOUD_TITLE='Word Cloud'
readonly TREE_TITLE='Verbarium Tree'
readonly INFO_TITLE='Word Info'
readonly SCREEN_WIDTH=1280 SCREEN_HEIGHT=${SCREEN_HEIGHT:-800}
WAIT_SECONDS=${WAIT_SECONDS:-30}

work_dir=$(mktemp -d)
pids=()

stop_session() {
    local pid
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        pid=${pids[i]}
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work_dir"
}
trap stop_session EXIT

fail() {
    echo "FAILED: $*" >&2
    echo "visible windows:" >&2
    list_windows >&2 || true
    echo "active window: $(active_title)" >&2
    [ -f "$work_dir/app.log" ] && sed 's/^/app: /' "$work_dir/app.log" >&2
    exit 1
}

# wait_until DESCRIPTION COMMAND...: polls COMMAND until it succeeds or the time is up.
wait_until() {
    local description=$1
    shift
    local deadline=$((SECONDS + WAIT_SECONDS))
    until "$@" >/dev/null 2>&1; do
        ((SECONDS < deadline)) || fail "timed out waiting for: $description"
        sleep 0.05
    done
}

start_session() {
    # Xvfb picks a free display number and writes it once it accepts clients.
    Xvfb -displayfd 3 -nolisten tcp -screen 0 "${SCREEN_WIDTH}x${SCREEN_HEIGHT}x24" \
        3>"$work_dir/display" >"$work_dir/xvfb.log" 2>&1 &
    pids+=($!)
    wait_until "Xvfb to start" test -s "$work_dir/display"
    export DISPLAY=":$(head -n 1 "$work_dir/display")"
    # On a bus of the scenario's own, what the bus starts later (the accessibility bus,
    # whose registry hears the keys for a screen reader) must find the display.
    if [ -n "${VERBARIUM_OWN_BUS:-}" ]; then
        dbus-update-activation-environment DISPLAY
    fi
    openbox --sm-disable >"$work_dir/openbox.log" 2>&1 &
    pids+=($!)
    wait_until "openbox to manage the screen" wm_running
}

wm_running() {
    xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'
}

# start_app [ARGS...]: starts the app and waits for its input window to show. Its
# settings live in the session's own directory, never in the user's.
start_app() {
    # What the app remembers and the indexes it keeps stay in this session's own folders.
    XDG_CONFIG_HOME="$work_dir/config" XDG_CACHE_HOME="$work_dir/cache" QT_QPA_PLATFORM=xcb \
        "${VERBARIUM_APP:?VERBARIUM_APP names the app under test}" "$@" \
        >"$work_dir/app.log" 2>&1 &
    pids+=($!)
    wait_until "the input window to show" is_visible "$INPUT_TITLE"
}

visible_window_count() {
    xdotool search --onlyvisible --name '.*' | wc -l
}

window_of() {
    xdotool search --onlyvisible --name "^$1\$" | head -n 1
}

is_visible() {
    [ -n "$(window_of "$1")" ]
}

is_hidden() {
    ! is_visible "$1"
}

# Reads the app through the accessibility bus (see accessible.py); the scenario must run
# in a D-Bus session (dbus-run-session) with the app's bridge switched on.
accessible() {
    /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/accessible.py" "$@"
}

# accessible_shows TITLE list|tree|focused|contexts LINE: what accessible.py reads has LINE.
accessible_shows() {
    [ "$(accessible "$1" "$2" 2>/dev/null | grep -cxF -- "$3")" -gt 0 ]
}

expect_accessible() {
    local deadline=$((SECONDS + WAIT_SECONDS))
    until accessible_shows "$@"; do
        ((SECONDS < deadline)) ||
            fail "'$3' not in the $2 of '$1', which reads: $(accessible "$1" "$2" 2>&1 | head -c 400)"
        sleep 0.1
    done
}

# Orca, the screen reader, on the session's accessibility bus, its settings and its
# speech (the "SPEECH OUTPUT" lines of its debug log) in the session's own directory.
start_orca() {
    HOME="$work_dir/home" PYTHONPATH="$(dirname "${BASH_SOURCE[0]}")/orca-log" \
        orca --replace --debug-file="$work_dir/orca.txt" >"$work_dir/orca.log" 2>&1 &
    pids+=($!)
    mark_speech
    expect_spoken 'Screen reader on'
}

# What Orca said since the last mark_speech, one line each: "HH:MM:SS.micro text".
speech_since_mark() {
    [ -f "$work_dir/orca.txt" ] || return 0
    tail -n +"$((speech_mark + 1))" "$work_dir/orca.txt" |
        sed -n "s/^\([0-9:.]*\) - SPEECH OUTPUT: '\(.*\)'{'established.*$/\1 \2/p"
}

# Orca's words from here on are the answer to what comes next; notes the time.
mark_speech() {
    speech_mark=0
    if [ -f "$work_dir/orca.txt" ]; then
        speech_mark=$(wc -l <"$work_dir/orca.txt")
    fi
    mark_time=$(date +%H:%M:%S.%N)
}

spoken() {
    speech_since_mark | grep -qF -- "$1"
}

expect_spoken() {
    local deadline=$((SECONDS + WAIT_SECONDS))
    until spoken "$1"; do
        ((SECONDS < deadline)) || fail "Orca did not say '$1'; it said: $(speech_since_mark | tail -n 8)"
        sleep 0.05
    done
}

# Seconds from the mark to the first time Orca said text.
speech_latency() {
    local said
    said=$(speech_since_mark | grep -F -- "$1" | head -n 1 | cut -d' ' -f1)
    awk -v from="$mark_time" -v to="$said" 'BEGIN {
        split(from, a, ":"); split(to, b, ":")
        printf "%.2f", (b[1] * 3600 + b[2] * 60 + b[3]) - (a[1] * 3600 + a[2] * 60 + a[3])
    }'
}

active_title() {
    xdotool getactivewindow getwindowname 2>/dev/null || true
}

# The window that gets the keys: the window manager names a window active a moment
# before the server gives it the focus, and keys sent in between go to the last one.
focused_title() {
    xdotool getwindowfocus -f getwindowname 2>/dev/null || true
}

is_active() {
    [ "$(active_title)" = "$1" ] && [ "$(focused_title)" = "$1" ] && is_visible "$1"
}

list_windows() {
    local id
    for id in $(xdotool search --onlyvisible --name '.'); do
        echo "  $(xdotool getwindowname "$id") $(xdotool getwindowgeometry "$id" | tr '\n' ' ')"
    done
}

# The visible window's client area as "X Y WIDTH HEIGHT" in screen coordinates.
geometry_of() {
    local id
    id=$(window_of "$1")
    [ -n "$id" ] || fail "no visible window '$1'"
    xwininfo -id "$id" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
        /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}

# Clicks at X Y inside the named window's client area.
click_in() {
    local x y w h
    read -r x y w h < <(geometry_of "$1")
    xdotool mousemove "$((x + $2))" "$((y + $3))" click 1
}

type_text() {
    xdotool type --delay 2 -- "$1"
}

# enter_in_dialog TITLE TEXT: types TEXT into the dialog's focused field and presses
# Return until the dialog goes. A file dialog's completer pops up as a path is typed
# and, on a loaded machine, can take keys meant for the field, leaving it empty: the
# field is then cleared and the text typed again, as a user would.
enter_in_dialog() {
    local title=$1 text=$2 attempt deadline
    for attempt in 1 2 3; do
        type_text "$text"
        press Return
        deadline=$((SECONDS + 10))
        while ((SECONDS < deadline)); do
            is_visible "$title" || return 0
            sleep 0.05
        done
        press ctrl+a BackSpace
    done
    fail "the '$title' dialog did not take '$text'"
}

press() {
    xdotool key --clearmodifiers "$@"
}

expect_state() {
    # expect_state TITLE visible|hidden|active ...
    while (($#)); do
        case $2 in
            active) wait_until "'$1' to be active" is_active "$1" ;;
            visible) wait_until "'$1' to be visible" is_visible "$1" ;;
            hidden) wait_until "'$1' to be hidden" is_hidden "$1" ;;
        esac
        shift 2
    done
}

# The named window's client area lies on the screen, below a title bar's room.
expect_on_screen() {
    local x y w h
    read -r x y w h < <(geometry_of "$1")
    ((x >= 0 && y >= 16 && x + w <= SCREEN_WIDTH && y + h <= SCREEN_HEIGHT)) ||
        fail "'$1' at $x,$y ${w}x$h is not inside the ${SCREEN_WIDTH}x$SCREEN_HEIGHT screen"
}
