#!/usr/bin/env bash
# Sets everything up, builds, and starts the desktop app. Without a display
# (no DISPLAY or WAYLAND_DISPLAY) it runs inside a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh build >/dev/null
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: running the app under xvfb-run (nothing visible)." >&2
    exec xvfb-run -a build/app/verbarium "$@"
fi
exec build/app/verbarium "$@"
