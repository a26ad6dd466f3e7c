#!/usr/bin/env bash
# Builds the Debian package and checks it: a release build with Debian's hardening
# flags (scripts/release-build.sh), packed by CPack into BUILD_DIR/verbarium_*.deb.
# Without BUILD_DIR, the build is build-deb, without tests or benchmarks; scripts/test.sh
# packs the build its tests ran on.
# Usage: scripts/package.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."

if (($#)); then
    build_dir=$1
    scripts/release-build.sh "$build_dir"
else
    build_dir=build-deb
    scripts/release-build.sh "$build_dir" -DBUILD_TESTING=OFF -DVERBARIUM_BENCHMARKS=OFF
fi

rm -f "$build_dir"/verbarium_*.deb
(cd "$build_dir" && cpack -G DEB >/dev/null)
package=$(ls "$build_dir"/verbarium_*.deb)
tests/package/check-deb.sh "$package"
echo "$package"
