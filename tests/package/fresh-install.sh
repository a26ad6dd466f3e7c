#!/usr/bin/env bash
# Installs a Verbarium package on a fresh, minimal Debian 12 (a debootstrapped chroot)
# with apt, as a user would, and runs what it installed: both programs' version, a word
# count, an SVG cloud, and the app on a virtual display with a file to analyse.
# Usage (as root, with debootstrap): fresh-install.sh PACKAGE.deb [SCREENSHOT.png]
# The base system is kept in /tmp/fresh-base.tgz and unpacked anew for every run.
set -euo pipefail
deb=$(realpath "$1")
screenshot=${2:-}
base=/tmp/fresh-base.tgz
root=$(mktemp -d /tmp/fresh-install.XXXX)
chmod 755 "$root" # a system's root, which users other than root can enter
# The chroot keeps the device nodes debootstrap made: nothing of the host's /dev is
# mounted into it. Whatever is still running in it is stopped before /proc goes, and
# the tree is removed only once nothing is mounted in it, without leaving its file
# system in any case.
cleanup() {
    local process mount
    for process in /proc/[0-9]*; do
        [ "$(readlink "$process/root" 2>/dev/null)" = "$root" ] && kill -9 "${process#/proc/}" 2>/dev/null
    done
    for mount in "$root/dev/pts" "$root/proc"; do
        umount "$mount" 2>/dev/null || { sleep 1; umount "$mount" 2>/dev/null; } || true
    done
    if grep -q " $root/" /proc/self/mountinfo; then
        echo "left $root: something is still mounted in it" >&2
        return
    fi
    rm -rf --one-file-system "$root"
}
trap cleanup EXIT

if [ ! -s "$base" ]; then
    mirror=$(awk '/^URIs:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources)
    debootstrap --variant=minbase bookworm "$root" "$mirror" >/tmp/fresh-debootstrap.log
    cp /etc/apt/sources.list.d/debian.sources "$root/etc/apt/sources.list.d/"
    rm -f "$root/etc/apt/sources.list"
    tar -C "$root" -czf "$base" .
else
    tar -C "$root" -xzf "$base"
fi
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" "$root/tmp/"
mount -t proc proc "$root/proc"
# A terminal device of its own for apt's log, not the host's.
mount -t devpts -o newinstance,ptmxmode=0666 devpts "$root/dev/pts"

chroot "$root" /bin/bash -euo pipefail -c '
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
echo "== apt-get install ./$(basename /tmp/*.deb)"
apt-get install -y -qq /tmp/verbarium_*.deb >/tmp/apt.log 2>&1 || { cat /tmp/apt.log; exit 1; }
grep -E "^(Setting up|Unpacking) verbarium" /tmp/apt.log
echo "== versions"
verbarium --version
verbarium-cli --version
printf "The cat saw the dog. The dog saw the cat start.\n" >/tmp/text.txt
echo "== verbarium-cli counts"
verbarium-cli counts /tmp/text.txt --format csv
echo "== verbarium-cli cloud as SVG"
verbarium-cli cloud /tmp/text.txt --format svg --output /tmp/cloud.svg
echo "$(grep -c "<text" /tmp/cloud.svg) words as text, $(stat -c %s /tmp/cloud.svg) bytes"
echo "== man"
apt-get install -y -qq man-db >/dev/null 2>&1
man -w verbarium verbarium-cli
echo "== the app under Xvfb (test tools installed now, not by the package)"
apt-get install -y -qq xvfb xauth openbox xdotool imagemagick >/dev/null 2>&1
Xvfb :5 -screen 0 1280x800x24 -nolisten tcp >/tmp/xvfb.log 2>&1 & xvfb=$!
export DISPLAY=:5
for _ in $(seq 100); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
openbox --sm-disable >/dev/null 2>&1 & wm=$!
sleep 1
verbarium /tmp/text.txt >/tmp/app.log 2>&1 & app=$!
for _ in $(seq 300); do
    xdotool search --onlyvisible --name "^Word Cloud\$" >/dev/null 2>&1 && break
    sleep 0.1
done
xdotool search --onlyvisible --name "^Word Cloud\$" >/dev/null || { cat /tmp/app.log; exit 1; }
for window in $(xdotool search --onlyvisible --name "."); do
    echo "window: $(xdotool getwindowname "$window")"
done
import -window root /tmp/screen.png
kill "$app" "$wm" "$xvfb"
wait
echo "== done"
'
if [ -n "$screenshot" ]; then cp "$root/tmp/screen.png" "$screenshot"; fi
