#!/usr/bin/env bash
# Builds the differential fuzz target with clang and libFuzzer and runs it for a while
# (default 60 seconds) from the corpus in tests/fuzz/corpus. New inputs go to a
# temporary folder; a failing input is left in build-fuzz/ as crash-*.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
# libclang-rt-14-dev: the sanitizers' and libFuzzer's run-time libraries, which clang only
# recommends.
scripts/install-packages.sh clang libclang-rt-14-dev libfuzzer-14-dev >/dev/null
if ! command -v clang++ >/dev/null; then
    echo "clang++ is missing: the fuzz run is skipped." >&2
    exit 0
fi
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVERBARIUM_FUZZ=ON \
    -DVERBARIUM_BENCHMARKS=OFF -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-fuzz --target tree-fuzzer
new_inputs=$(mktemp -d)
trap 'rm -rf "$new_inputs"' EXIT
export QT_QPA_PLATFORM=offscreen
build-fuzz/tests/fuzz/tree-fuzzer -max_total_time="$seconds" -max_len=512 -timeout=10 \
    -artifact_prefix=build-fuzz/ "$new_inputs" tests/fuzz/corpus
