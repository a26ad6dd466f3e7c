#!/usr/bin/env bash
# Makes the software centre's screenshot, data/screenshots/cloud-and-tree.png: the real
# app on a virtual 1280 x 720 display with openbox, the first chapters of Genesis (King
# James) analysed and the verbarium of "and" open.
# Usage: scripts/screenshot.sh [BUILD_DIR] (default build, as scripts/setup.sh makes it)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}
output=data/screenshots/cloud-and-tree.png
scripts/install-packages.sh bible-kjv xvfb openbox xdotool x11-utils x11-xserver-utils imagemagick \
    python3

work=$(mktemp -d)
pids=()
cleanup() {
    local i
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
        wait "${pids[i]}" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT
wait_for() {
    local deadline=$((SECONDS + 60))
    until "$@" >/dev/null 2>&1; do
        ((SECONDS < deadline)) || { echo "timed out: $*" >&2; cat "$work/app.log" >&2; exit 1; }
        sleep 0.1
    done
}
window() {
    xdotool search --onlyvisible --name "^$1\$" | head -n 1
}
wm_running() {
    xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'
}

bible gen1:1-gen4:26 >"$work/genesis.txt"
Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x720x24 3>"$work/display" >/dev/null 2>&1 &
pids+=($!)
wait_for test -s "$work/display"
export DISPLAY=":$(head -n 1 "$work/display")"
openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
wait_for wm_running
xsetroot -solid '#5b6770'
XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=xcb "$build_dir/app/verbarium" "$work/genesis.txt" \
    >"$work/app.log" 2>&1 &
pids+=($!)
wait_for window 'Word Cloud'

# The cloud on the left half of the screen and the tree on the right: the windows are
# moved as a user would move them.
cloud=$(window 'Word Cloud')
xdotool windowsize "$cloud" 620 660 windowmove "$cloud" 8 34
wait_for test "$(xwininfo -id "$cloud" | awk '/Width:/ {print $2}')" = 620
sleep 0.5 # the cloud fitted to its new width

# The cloud's view is the white below the menu bar; the command-line tool lays out the
# same cloud for a view of that size, which tells where "and" is.
import -window "$cloud" "$work/cloud.png"
read -r width height < <(identify -format '%w %h\n' "$work/cloud.png")
top=0
until [ "$(convert "$work/cloud.png" -crop "1x1+$((width - 20))+$top" -format '%[hex:p{0,0}]' info:)" = FFFFFF ]; do
    top=$((top + 1))
done
read -r x y < <(xwininfo -id "$cloud" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x, y}')
read -r click_x click_y < <("$build_dir/cli/verbarium-cli" cloud "$work/genesis.txt" \
    --width "$width" --height "$((height - top))" |
    python3 -c 'import json, sys
cloud = json.load(sys.stdin)
word = next(layer for layer in cloud["layers"] if layer["word"] == "and")
print(int(word["x"] + word["width"] / 2), int(cloud["height"] - word["y"]))')
xdotool mousemove "$((x + click_x))" "$((y + top + click_y))" click 1
wait_for window 'Verbarium Tree'
tree=$(window 'Verbarium Tree')
xdotool windowsize "$tree" 628 660 windowmove "$tree" 644 34
wait_for test "$(xwininfo -id "$tree" | awk '/Width:/ {print $2}')" = 628
xdotool mousemove 1000 600 # where no word shows its count
sleep 0.5 # the tree laid out for its new size

mkdir -p "$(dirname "$output")"
import -window root "$work/screen.png"
# A palette of 128 colours keeps the picture small and its text sharp.
convert "$work/screen.png" -colors 128 -strip "$output"
echo "$output: $(identify -format '%w x %h' "$output"), $(stat -c %s "$output") bytes"
