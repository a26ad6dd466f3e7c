#!/usr/bin/env bash
# Installs the Debian packages the project needs (only those missing), then
# configures and builds it. Usage: scripts/setup.sh [BUILD_DIR] [extra cmake args...]
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6svg6-dev libgl-dev
    libicu-dev libharfbuzz-dev libxxhash-dev libgtest-dev libgmock-dev libbenchmark-dev
    fonts-beteckna fonts-dejavu-core fonts-noto-cjk
    xvfb xauth
    # The desktop tests: a window manager, input and window queries, picture checks.
    openbox xdotool x11-utils imagemagick
    # The lists of common words the cloud can leave out, read at build time.
    liblingua-stopwords-perl
    # The screen-reader tests read the running app through the accessibility bus, and
    # hear it through a real screen reader, Orca, whose speech goes to its log.
    at-spi2-core python3-pyatspi dbus-daemon orca speech-dispatcher
    # The installed desktop files and manual pages are checked with these; exported SVG
    # pictures are drawn by another renderer and compared with the PNG export.
    desktop-file-utils appstream man-db librsvg2-bin
    # The Debian package: CPack reads the programs' libraries with file and
    # dpkg-shlibdeps, and lintian checks the result.
    dpkg-dev file lintian
)
scripts/install-packages.sh "${packages[@]}"

build_dir=${1:-build}
shift || true
# Warnings fail the project's own builds; the arguments may say otherwise.
cmake -S . -B "$build_dir" -G Ninja -DVERBARIUM_WERROR=ON "$@"
cmake --build "$build_dir"
