#!/usr/bin/env bash
# Makes the software centre's screenshot, data/screenshots/cloud-and-tree.png: the real
# app on a virtual 1280 x 720 display with openbox (as the desktop tests run it), the
# first chapters of Genesis (King James) analysed and the verbarium of "and" open.
# Usage: scripts/screenshot.sh [BUILD_DIR] (default build, as scripts/setup.sh makes it)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}
output=$PWD/data/screenshots/cloud-and-tree.png
scripts/install-packages.sh bible-kjv xvfb xauth openbox xdotool x11-utils \
    x11-xserver-utils imagemagick python3

export VERBARIUM_APP=$PWD/$build_dir/app/verbarium SCREEN_HEIGHT=720
source tests/desktop/session.sh
start_session
xsetroot -solid '#5b6770'
bible gen1:1-gen4:26 >"$work_dir/genesis.txt"
start_app "$work_dir/genesis.txt"
expect_state "$CLOUD_TITLE" active

# The cloud on the left half of the screen and the tree on the right: the windows are
# moved as a user would move them.
xdotool windowsize "$(window_of "$CLOUD_TITLE")" 620 660 windowmove "$(window_of "$CLOUD_TITLE")" 8 34
wait_until "the cloud to take its new size" test "$(geometry_of "$CLOUD_TITLE" | cut -d' ' -f3)" = 620
sleep 0.5 # the cloud fitted to its new width

# The cloud's view is the white below the menu bar; the command-line tool lays out the
# same cloud for a view of that size, which tells where "and" is.
read -r x y width height < <(geometry_of "$CLOUD_TITLE")
import -window "$(window_of "$CLOUD_TITLE")" "$work_dir/cloud.png"
top=0
until [ "$(convert "$work_dir/cloud.png" -crop "1x1+$((width - 20))+$top" -format '%[hex:p{0,0}]' info:)" = FFFFFF ]; do
    top=$((top + 1))
done
read -r word_x word_y < <("$build_dir/cli/verbarium-cli" cloud "$work_dir/genesis.txt" \
    --width "$width" --height "$((height - top))" |
    python3 -c 'import json, sys
cloud = json.load(sys.stdin)
word = next(layer for layer in cloud["layers"] if layer["word"] == "and")
print(int(word["x"] + word["width"] / 2), int(cloud["height"] - word["y"]))')
xdotool mousemove "$((x + word_x))" "$((y + top + word_y))" click 1
expect_state "$TREE_TITLE" active
xdotool windowsize "$(window_of "$TREE_TITLE")" 628 660 windowmove "$(window_of "$TREE_TITLE")" 644 34
wait_until "the tree to take its new size" test "$(geometry_of "$TREE_TITLE" | cut -d' ' -f3)" = 628
xdotool mousemove 1000 600 # where no word shows its count
sleep 0.5 # the tree laid out for its new size

import -window root "$work_dir/screen.png"
# A palette of 128 colours keeps the picture small and its text sharp.
convert "$work_dir/screen.png" -colors 128 -strip "$output"
echo "$output: $(identify -format '%w x %h' "$output"), $(stat -c %s "$output") bytes"
