#!/usr/bin/env bash
# Runs two fuzzers for a while each (default 600 seconds; scripts/test.sh runs half a minute):
# - mutated texts and arguments for all four verbarium-cli commands, against the build
#   with AddressSanitizer and UndefinedBehaviorSanitizer in build-asan (made here when
#   missing): tests/fuzz/cli_fuzz.py. A failing case is left in build-fuzz/cli-failures/
#   with a script that runs it again.
# - the differential fuzz target of the verbarium's tree growth, built with clang and
#   libFuzzer and run from the corpus in tests/fuzz/corpus. New inputs go to a temporary
#   folder; a failing input is left in build-fuzz/ as crash-*.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-600}
# libclang-rt-14-dev: the sanitizers' and libFuzzer's run-time libraries, which clang only
# recommends.
scripts/install-packages.sh clang libclang-rt-14-dev libfuzzer-14-dev python3 >/dev/null
export QT_QPA_PLATFORM=offscreen
source scripts/sanitizer-options.sh

if [ ! -f build-asan/build.ninja ]; then
    cmake -S . -B build-asan -G Ninja -DVERBARIUM_SANITIZE=ON -DVERBARIUM_BENCHMARKS=OFF \
        -DCMAKE_BUILD_TYPE=Debug >/dev/null
fi
cmake --build build-asan --target verbarium-cli >/dev/null
python3 tests/fuzz/cli_fuzz.py --cli build-asan/cli/verbarium-cli --seconds "$seconds" \
    --failures build-fuzz/cli-failures

if ! command -v clang++ >/dev/null; then
    echo "clang++ is missing: the tree fuzz run is skipped." >&2
    exit 0
fi
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVERBARIUM_FUZZ=ON \
    -DVERBARIUM_BENCHMARKS=OFF -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-fuzz --target tree-fuzzer
new_inputs=$(mktemp -d)
trap 'rm -rf "$new_inputs"' EXIT
build-fuzz/tests/fuzz/tree-fuzzer -max_total_time="$seconds" -max_len=512 -timeout=10 \
    -artifact_prefix=build-fuzz/ "$new_inputs" tests/fuzz/corpus
