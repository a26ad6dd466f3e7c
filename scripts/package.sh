#!/usr/bin/env bash
# Builds the Debian package and checks it: a release build with Debian's hardening
# flags, without tests or benchmarks, packed by CPack into BUILD_DIR/verbarium_*.deb.
# Usage: scripts/package.sh [BUILD_DIR] (default build-deb)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build-deb}

# CMake takes CXXFLAGS and LDFLAGS from the environment when it first configures a
# build; the preprocessor's flags (fortified functions) go in with the compiler's.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
eval "$(dpkg-buildflags --export=sh)"
export CXXFLAGS="$CXXFLAGS $CPPFLAGS"
# Debian's hardening flags are not ours to keep free of warnings.
scripts/setup.sh "$build_dir" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DVERBARIUM_BENCHMARKS=OFF -DCMAKE_INSTALL_PREFIX=/usr -DVERBARIUM_WERROR=OFF

rm -f "$build_dir"/verbarium_*.deb
(cd "$build_dir" && cpack -G DEB >/dev/null)
package=$(ls "$build_dir"/verbarium_*.deb)
tests/package/check-deb.sh "$package"
echo "$package"
