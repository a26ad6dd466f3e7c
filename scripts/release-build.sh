#!/usr/bin/env bash
# Configures and builds a release build with Debian's hardening flags: the build the
# Debian package is packed from, and the one scripts/test.sh runs the tests on, so that
# what is tested is what is packed.
# Usage: scripts/release-build.sh BUILD_DIR [extra cmake args...]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=$1
shift

# dpkg-buildflags comes with dpkg-dev, which a minimal Debian lacks.
scripts/install-packages.sh dpkg-dev
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# The package's programs are stripped: debugging notes would only slow the build.
export DEB_CXXFLAGS_MAINT_STRIP=-g
# The flags are given explicitly rather than through the environment, which CMake reads
# only when it first configures a build: an existing build gets them too. The
# preprocessor's flags (fortified functions) go in with the compiler's. The optimisation
# is Debian's (-O2, in its flags) rather than CMake's -O3 for a release build, which
# takes longer to compile and is not what Debian's own packages are built with.
scripts/setup.sh "$build_dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-DNDEBUG \
    "-DCMAKE_CXX_FLAGS=$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
    "-DCMAKE_EXE_LINKER_FLAGS=$(dpkg-buildflags --get LDFLAGS)" "$@"
