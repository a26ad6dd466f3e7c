#!/usr/bin/env bash
# Desktop scenarios: the real app under Xvfb and openbox, driven like a user would.
# Usage: scenarios.sh NAME (one of the functions below, each in its own display).
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

# A short poll: most points of the scan are over no word.
poll_for_info() {
    local tries
    for ((tries = 0; tries < 3; tries++)); do
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
        expect_state 'Import a Text File' active
        type_text "$book"
        press Return
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
    expect_state "$TREE_TITLE" active "$INFO_TITLE" visible
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
    type_text "$picture"
    press Return
    wait_until "the picture to be written" test -s "$picture"
    expect_state "$CLOUD_TITLE" active "$INPUT_TITLE" visible
    # A PNG at twice the window's scale: the cloud fills the window's width.
    [ "$(head -c 8 "$picture" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] ||
        fail "$picture is no PNG"
    read -r x y w h < <(geometry_of "$CLOUD_TITLE")
    [ "$(identify -format %w "$picture")" = $((2 * w)) ] ||
        fail "the picture is $(identify -format %wx%h "$picture") for a window $w wide"
}

start_session
"scenario_$1"
echo "passed: $1"
