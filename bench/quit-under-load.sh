#!/usr/bin/env bash
# How long the app takes to end after Ctrl+Q with both cores kept busy: the real program
# on a display of its own (Xvfb, openbox), FILE opened at start, the key pressed at
# several moments (while the text is read, analysed and indexed, once it is all done,
# and just after a tree was asked for), and the time from the key to the process gone
# printed, xdotool's own start included. Target: 0.5 s.
#   bench/quit-under-load.sh APP FILE     (needs xvfb openbox xdotool stress-ng)
set -euo pipefail
app=$1 file=$2
config=$(mktemp -d)
display_file=$(mktemp)
trap 'kill "${pids[@]}" 2>/dev/null || true; rm -rf "$config" "$display_file"' EXIT
pids=()

Xvfb -displayfd 3 -nolisten tcp -screen 0 1400x900x24 3>"$display_file" >/dev/null 2>&1 &
pids+=($!)
until [ -s "$display_file" ]; do sleep 0.05; done
export DISPLAY=":$(head -n 1 "$display_file")"
openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do sleep 0.05; done
stress-ng --cpu 2 >/dev/null 2>&1 &
pids+=($!)

# quit_after SECONDS [KEYS...]: starts the app, waits, presses KEYS in the active window
# (none: nothing), then Ctrl+Q, and prints how long the process took to end.
quit_after() {
    local delay=$1
    shift
    XDG_CONFIG_HOME="$config" "$app" "$file" >/dev/null 2>&1 &
    local app_pid=$!
    sleep "$delay"
    if (($#)); then
        xdotool key --clearmodifiers "$@"
    fi
    local start end
    start=$(date +%s.%N)
    xdotool key --clearmodifiers ctrl+q
    while kill -0 "$app_pid" 2>/dev/null; do sleep 0.005; done
    end=$(date +%s.%N)
    wait "$app_pid" 2>/dev/null || true
    awk -v s="$start" -v e="$end" -v d="$delay" -v k="$*" \
        'BEGIN { printf "  Ctrl+Q %5.1f s after the start%s: the process ended %.2f s later\n", d, (k == "" ? "" : " (after " k ")"), e - s }'
}

echo "  load before: $(cut -d' ' -f1-3 /proc/loadavg)"
for delay in 0.5 2 5 9; do
    quit_after "$delay"
done
# Once the text is all in, Tab and Return in the cloud ask for a tree; Ctrl+Q follows.
quit_after 20 Tab Return
echo "  load after: $(cut -d' ' -f1-3 /proc/loadavg)"
