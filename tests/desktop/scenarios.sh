#!/usr/bin/env bash
# Desktop scenarios: the real app under Xvfb and openbox, driven like a user would.
# Usage: scenarios.sh NAME (one of the functions below, each in its own display).

# Those that read the app as a screen reader does run in a D-Bus session of their own,
# with a runtime directory of their own: scenarios running side by side must not share
# an accessibility bus.
case $1 in
    screen_reader | keyboard | both_sides | empty_result | orca_walk | corpus_file_list | \
        folder_contexts)
        if [ -z "${VERBARIUM_OWN_BUS:-}" ]; then
            runtime=$(mktemp -d)
            status=0
            VERBARIUM_OWN_BUS=1 XDG_RUNTIME_DIR=$runtime QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
                dbus-run-session -- bash "$0" "$@" || status=$?
            rm -rf "$runtime"
            exit "$status"
        fi
        ;;
esac

source "$(dirname "$0")/session.sh"

analysed_text='the whale the whale the whale and the sea and the ship'

# Typed text, then Ctrl+Return: the cloud comes forward and takes the focus.
analyse_typed_text() {
    type_text "$analysed_text"
    press ctrl+Return
    expect_state "$CLOUD_TITLE" active "$INPUT_TITLE" visible "$TREE_TITLE" hidden
}

# Clicks into the input window where no other window of the app covers it: its top left.
click_input_window() {
    click_in "$INPUT_TITLE" 15 60
}

# Points down the cloud's left edge, where the first word of each row starts, until
# the info panel shows a word; then clicks there.
click_a_cloud_word() {
    local x y w h py
    read -r x y w h < <(geometry_of "$CLOUD_TITLE")
    for ((py = 4; py < h / 2; py += 6)); do
        xdotool mousemove "$((x + 12))" "$((y + py))"
        if poll_for_info; then
            xdotool click 1
            return
        fi
    done
    fail "no cloud word under the pointer"
}

# A short poll: most points of the scan are over no word, and the panel goes again as
# soon as the pointer leaves the word, so it must be seen before the next point.
poll_for_info() {
    local tries
    for ((tries = 0; tries < 12; tries++)); do
        is_visible "$INFO_TITLE" && return 0
        sleep 0.02
    done
    return 1
}

scenario_launch() {
    start_app
    expect_state "$INPUT_TITLE" active "$CLOUD_TITLE" hidden "$TREE_TITLE" hidden \
        "$INFO_TITLE" hidden
    # Desktops match the windows to the launcher entry by their class.
    local class
    class=$(xprop -id "$(window_of "$INPUT_TITLE")" WM_CLASS | sed -n 's/.*, "\(.*\)"$/\1/p')
    grep -qx "StartupWMClass=$class" "$(dirname "$0")/../../data/app.verbarium.Verbarium.desktop" ||
        fail "the windows' class '$class' is not the launcher entry's StartupWMClass"
}

scenario_typed_text() {
    start_app
    expect_state "$INPUT_TITLE" active
    analyse_typed_text
    # Its place on a large screen would reach past this one's right edge.
    expect_on_screen "$INPUT_TITLE"
    expect_on_screen "$CLOUD_TITLE"
    # Every later analysis shows it again, from the cloud window as from the input.
    press ctrl+Return
    expect_state "$CLOUD_TITLE" active
    click_input_window
    expect_state "$INPUT_TITLE" active "$CLOUD_TITLE" hidden
    press ctrl+Return
    expect_state "$CLOUD_TITLE" active "$INPUT_TITLE" visible
}

scenario_import() {
    local book="$work_dir/book.txt" round
    echo "$analysed_text" >"$book"
    start_app
    expect_state "$INPUT_TITLE" active
    for round in 1 2 3; do
        press ctrl+o
        expect_state 'Open Text Files' active
        enter_in_dialog 'Open Text Files' "$book"
        expect_state "$CLOUD_TITLE" active "$INPUT_TITLE" visible
        # The shortcuts keep working: back in the text, Ctrl+Return shows the cloud.
        click_input_window
        expect_state "$INPUT_TITLE" active "$CLOUD_TITLE" hidden
        press ctrl+Return
        expect_state "$CLOUD_TITLE" active
        click_input_window
        expect_state "$INPUT_TITLE" active "$CLOUD_TITLE" hidden
    done
}

# File > Open Folder... reads a folder's texts as one corpus: typing the folder in its
# dialog analyses them, and the words of every file are in the cloud.
scenario_open_folder() {
    mkdir -p "$work_dir/chapters/later"
    echo "$analysed_text" >"$work_dir/chapters/one.txt"
    echo "$analysed_text" >"$work_dir/chapters/later/two.txt"
    start_app
    expect_state "$INPUT_TITLE" active
    press ctrl+shift+o
    expect_state 'Open a Folder of Texts' active
    enter_in_dialog 'Open a Folder of Texts' "$work_dir/chapters"
    expect_state "$CLOUD_TITLE" active "$INPUT_TITLE" visible
}

# A corpus's files are listed beside its text: Tab reaches the list, Space unchecks a
# file, and Analyse leaves it out of the cloud.
scenario_corpus_file_list() {
    mkdir -p "$work_dir/chapters/later"
    echo "$analysed_text" >"$work_dir/chapters/one.txt"
    echo 'the albatross and the gull' >"$work_dir/chapters/later/two.txt"
    start_app "$work_dir/chapters"
    expect_state "$CLOUD_TITLE" active
    expect_accessible "$CLOUD_TITLE" list 'and, 3 times'
    press ctrl+1
    expect_state "$INPUT_TITLE" active
    local tries
    for ((tries = 0; tries < 8; tries++)); do
        accessible_shows "$INPUT_TITLE" focused 'later/two.txt, checked' && break
        press Tab
    done
    expect_accessible "$INPUT_TITLE" focused 'later/two.txt, checked'
    press space ctrl+Return
    expect_state "$CLOUD_TITLE" active
    expect_accessible "$CLOUD_TITLE" list 'and, 2 times'
    accessible_shows "$CLOUD_TITLE" list 'albatross, 1 time' &&
        fail "the unchecked file's words are still in the cloud"
    return 0
}

# A folder's contexts name their files below it and their lines, for the eye and the
# screen reader; the header says in how many files the word occurs.
scenario_folder_contexts() {
    mkdir -p "$work_dir/chapters/later"
    printf '%s' "$analysed_text" >"$work_dir/chapters/one.txt"
    printf 'no whale here\n%s' "$analysed_text" >"$work_dir/chapters/later/two.txt"
    start_app "$work_dir/chapters"
    expect_state "$CLOUD_TITLE" active
    # and, here, no, sea, ship, the
    press Tab Right Right Right Right Right
    expect_accessible "$CLOUD_TITLE" focused 'the, 10 times'
    press Return
    expect_state "$TREE_TITLE" active
    expect_accessible "$TREE_TITLE" focused 'the, 10 times, 5 branches'
    press ctrl+k
    expect_accessible "$TREE_TITLE" contexts \
        "later/two.txt, line 2: no whale here $analysed_text"
    expect_accessible "$TREE_TITLE" contexts "one.txt, line 1: $analysed_text"
}

scenario_cloud_word() {
    start_app
    expect_state "$INPUT_TITLE" active
    analyse_typed_text
    click_a_cloud_word
    expect_state "$TREE_TITLE" active "$CLOUD_TITLE" visible "$INPUT_TITLE" visible
    expect_on_screen "$TREE_TITLE"
    # Back to the cloud: the tree goes.
    click_in "$CLOUD_TITLE" 5 5
    expect_state "$CLOUD_TITLE" active "$TREE_TITLE" hidden
}

scenario_input_brought_back() {
    start_app
    expect_state "$INPUT_TITLE" active
    analyse_typed_text
    click_a_cloud_word
    expect_state "$TREE_TITLE" active
    # The panel beside the word the keyboard moves to.
    press Right
    expect_state "$INFO_TITLE" visible
    # A click into the input window hides every other window.
    click_input_window
    expect_state "$INPUT_TITLE" active "$CLOUD_TITLE" hidden "$TREE_TITLE" hidden \
        "$INFO_TITLE" hidden
    # So does the window manager's switcher (a pager's activation request).
    press ctrl+Return
    expect_state "$CLOUD_TITLE" active
    xdotool windowactivate "$(window_of "$INPUT_TITLE")"
    expect_state "$INPUT_TITLE" active "$CLOUD_TITLE" hidden
}

# Any UTF-8 text file named on the command line is imported and analysed.
scenario_file_argument() {
    echo "$analysed_text" >"$work_dir/book.md"
    start_app "$work_dir/book.md"
    expect_state "$CLOUD_TITLE" active "$INPUT_TITLE" visible
}

scenario_bad_file_argument() {
    start_app "$work_dir/missing.txt"
    expect_state 'Cannot Import File' active
    press Return
    expect_state "$INPUT_TITLE" active "$CLOUD_TITLE" hidden
}

# A file that never comes (a FIFO without a writer) does not keep the app from quitting.
scenario_quit_while_reading() {
    local app
    mkfifo "$work_dir/never.txt"
    start_app "$work_dir/never.txt"
    app=${pids[-1]}
    expect_state "$INPUT_TITLE" active
    press ctrl+q
    wait_until "the app to exit" process_gone "$app"
}

process_gone() {
    ! kill -0 "$1" 2>/dev/null
}

# File > Export Cloud... in the cloud window writes the picture, and the cloud window
# is still shown and active when the dialog has closed.
scenario_export_from_menu() {
    local picture="$work_dir/cloud.png" x y w h windows
    start_app
    expect_state "$INPUT_TITLE" active
    analyse_typed_text
    windows=$(visible_window_count)
    click_in "$CLOUD_TITLE" 15 10
    wait_until "the File menu to open" test "$(visible_window_count)" -gt "$windows"
    press e
    expect_state 'Export Cloud' active
    enter_in_dialog 'Export Cloud' "$picture"
    wait_until "the picture to be written" test -s "$picture"
    expect_state "$CLOUD_TITLE" active "$INPUT_TITLE" visible
    # A PNG at twice the window's scale: the cloud fills the window's width.
    [ "$(head -c 8 "$picture" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] ||
        fail "$picture is no PNG"
    read -r x y w h < <(geometry_of "$CLOUD_TITLE")
    [ "$(identify -format %w "$picture")" = $((2 * w)) ] ||
        fail "the picture is $(identify -format %wx%h "$picture") for a window $w wide"
}

# Screen readers read the cloud as a list of "word, N times" and follow the keyboard.
scenario_screen_reader() {
    start_app
    expect_state "$INPUT_TITLE" active
    analyse_typed_text
    local line
    for line in 'and, 2 times' 'sea, 1 time' 'ship, 1 time' 'the, 5 times' 'whale, 3 times'; do
        expect_accessible "$CLOUD_TITLE" list "$line"
    done
    # Tab shows the focus on the first word, the arrows move it, the panel follows.
    press Tab
    expect_accessible "$CLOUD_TITLE" focused 'and, 2 times'
    expect_state "$INFO_TITLE" visible
    press Right
    expect_accessible "$CLOUD_TITLE" focused 'sea, 1 time'
    # Return opens the verbarium, read as a tree with levels.
    press Return
    expect_state "$TREE_TITLE" active
    expect_accessible "$TREE_TITLE" tree 'sea, 1 time, 1 branch | level 1'
    expect_accessible "$TREE_TITLE" tree '      ship, 1 time, 1 branch | level 4'
}

# The verbarium walked and used by keyboard alone, and the Window menu's shortcuts.
scenario_keyboard() {
    start_app
    expect_state "$INPUT_TITLE" active
    analyse_typed_text
    press Tab Right Right Right
    expect_accessible "$CLOUD_TITLE" focused 'the, 5 times'
    press Return
    expect_state "$TREE_TITLE" active
    expect_accessible "$TREE_TITLE" tree 'the, 5 times, 5 branches | level 1'
    # The keyboard arrives on the start word. Right: its first follower; Down and Up:
    # the other followers.
    expect_accessible "$TREE_TITLE" focused 'the, 5 times, 5 branches'
    press Right
    expect_accessible "$TREE_TITLE" focused 'whale, 3 times, 3 branches'
    press Down Down Up
    expect_accessible "$TREE_TITLE" focused 'sea, 1 time, 1 branch'
    press Left
    expect_accessible "$TREE_TITLE" focused 'the, 5 times, 5 branches'
    # Return re-roots at the focused word, Backspace goes back to the start word.
    press Right Down Return
    expect_accessible "$TREE_TITLE" tree 'sea, 1 time, 1 branch | level 1'
    press BackSpace
    expect_accessible "$TREE_TITLE" tree 'the, 5 times, 5 branches | level 1'
    # The focus went on with the start word. Shift+Return restarts from the focused
    # word, as a right click does.
    press Right shift+Return
    expect_accessible "$TREE_TITLE" tree 'whale, 3 times, 3 branches | level 1'
    # Window > Cloud hides the verbarium; Window > Verbarium brings it back; Window >
    # Text hides both.
    press ctrl+2
    expect_state "$CLOUD_TITLE" active "$TREE_TITLE" hidden
    press ctrl+3
    expect_state "$TREE_TITLE" active "$CLOUD_TITLE" visible
    press ctrl+1
    expect_state "$INPUT_TITLE" active "$CLOUD_TITLE" hidden "$TREE_TITLE" hidden
}

# Both sides by keyboard: View > Both Sides puts the words before the start at its
# left, Left and Right cross the start word, Return on a word after it chooses its
# branch for both sides, Backspace undoes the choice; items say their side.
scenario_both_sides() {
    start_app
    expect_state "$INPUT_TITLE" active
    analyse_typed_text
    press Tab Right Right Right Return
    expect_state "$TREE_TITLE" active
    expect_accessible "$TREE_TITLE" focused 'the, 5 times, 5 branches'
    press alt+v t
    expect_accessible "$TREE_TITLE" tree '  and, before, 2 times, 2 branches | level 2'
    expect_accessible "$TREE_TITLE" focused 'the, 5 times, 5 branches'
    press Left
    expect_accessible "$TREE_TITLE" focused 'and, before, 2 times, 2 branches'
    press Down
    expect_accessible "$TREE_TITLE" focused 'whale, before, 2 times, 1 branch'
    press Right Right
    expect_accessible "$TREE_TITLE" focused 'whale, after, 3 times, 3 branches'
    press Return
    expect_accessible "$TREE_TITLE" tree 'the whale, 3 times, 3 branches | level 1'
    expect_accessible "$TREE_TITLE" tree '  whale, before, 2 times, 1 branch | level 2'
    press BackSpace
    expect_accessible "$TREE_TITLE" tree 'the, 5 times, 5 branches | level 1'
}

# A text without letters says so in the cloud window.
scenario_empty_result() {
    start_app
    expect_state "$INPUT_TITLE" active
    type_text '1234 5678 !!! ...'
    press ctrl+Return
    expect_state "$CLOUD_TITLE" active
    expect_accessible "$CLOUD_TITLE" list 'description: No words to show: the text has no letters.'
}

# Points down the cloud's left edge until the info panel shows a word.
point_at_a_cloud_word() {
    local x y w h py
    read -r x y w h < <(geometry_of "$CLOUD_TITLE")
    for ((py = 4; py < h / 2; py += 6)); do
        xdotool mousemove "$((x + 12))" "$((y + py))"
        poll_for_info && return
    done
    fail "no cloud word under the pointer"
}

# The info panel stands beside the pointer, goes when the pointer leaves the word, when
# another application is activated and when a new analysis starts.
scenario_info_panel() {
    local x y w h px py
    start_app
    expect_state "$INPUT_TITLE" active
    analyse_typed_text
    point_at_a_cloud_word
    read -r x y w h < <(geometry_of "$INFO_TITLE")
    eval "$(xdotool getmouselocation --shell)"
    px=$X py=$Y
    ((x >= px - 4 && x <= px + 40 && y >= py - h - 40 && y <= py + 40)) ||
        fail "the panel at $x,$y is not beside the pointer at $px,$py"
    # Off the word, the panel goes; back on it, it comes again.
    xdotool mousemove_relative 0 -400
    expect_state "$INFO_TITLE" hidden
    point_at_a_cloud_word
    xmessage -name other -title 'Other Application' 'another application' &
    pids+=($!)
    expect_state 'Other Application' visible
    xdotool windowactivate "$(window_of 'Other Application')"
    expect_state 'Other Application' active "$INFO_TITLE" hidden
    click_in "$CLOUD_TITLE" 5 5
    expect_state "$CLOUD_TITLE" active
    point_at_a_cloud_word
    press ctrl+Return
    expect_state "$INFO_TITLE" hidden "$CLOUD_TITLE" active
}

# A real screen reader: Orca, its speech written to its debug log, hears the verbarium
# as a tree and says each word the arrows reach, by its name and numbers; how long each
# took after its key is printed.
scenario_orca_walk() {
    # The text comes from a file rather than typing: keys reach the app only once the
    # screen reader has heard them, and typing would race the analysis.
    echo "$analysed_text" >"$work_dir/text.txt"
    start_app "$work_dir/text.txt"
    expect_state "$CLOUD_TITLE" active
    start_orca
    local step key word
    for step in Tab:'and, 2 times' Right:'sea, 1 time' Right:'ship, 1 time' \
        Right:'the, 5 times' Return:'the, 5 times, 5 branches' \
        Right:'whale, 3 times, 3 branches' Down:'sea, 1 time, 1 branch' \
        Down:'ship, 1 time, 1 branch' Left:'the, 5 times, 5 branches'; do
        key=${step%%:*}
        word=${step#*:}
        mark_speech
        press "$key"
        expect_spoken "$word"
        echo "$key: \"$word\" spoken $(speech_latency "$word") s after the key"
    done
    # Both sides: the words before the start are said to be before it. The View menu is
    # opened with the pointer (with Orca listening, Alt+V does not reach the menu bar),
    # and its key pressed once Orca has said the menu is there.
    mark_speech
    click_in "$TREE_TITLE" 95 10
    expect_spoken 'View'
    press t
    expect_accessible "$TREE_TITLE" tree '  and, before, 2 times, 2 branches | level 2'
    mark_speech
    press Left
    expect_spoken 'and, before, 2 times'
    mark_speech
    press Right Right
    expect_spoken 'whale, after, 3 times'
}

start_session
"scenario_$1"
echo "passed: $1"
