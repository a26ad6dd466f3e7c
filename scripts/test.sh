#!/usr/bin/env bash
# Sets everything up and runs the whole test suite twice: in the release build the
# Debian package is packed from (with the desktop tests, which drive the real app under
# Xvfb and openbox) and in a build with AddressSanitizer and UndefinedBehaviorSanitizer
# (without them); the analysis, index and job tests run a third time under
# ThreadSanitizer. Then it packs the tested build into the Debian package and checks it,
# and ends with half a minute of each fuzzer: mutated texts and arguments for
# verbarium-cli under the sanitizers, and the differential fuzzing of the verbarium's
# tree growth (clang and libFuzzer).
set -euo pipefail
cd "$(dirname "$0")/.."

export QT_QPA_PLATFORM=offscreen
source scripts/sanitizer-options.sh

# Each stage says how long it took, and the end sums them up: the whole run must stay
# well inside CI's limit on a fresh machine.
stage_times=()
timed() {
    local name=$1 start=$SECONDS
    shift
    "$@"
    stage_times+=("$(printf '%5d s  %s' $((SECONDS - start)) "$name")")
    echo "== $name: $((SECONDS - start)) s" >&2
}

sanitizer_build() {
    scripts/setup.sh build-asan -DVERBARIUM_SANITIZE=ON -DVERBARIUM_BENCHMARKS=OFF \
        -DCMAKE_BUILD_TYPE=Debug
    # Left out here, as they run in the release build: the random texts held to literal
    # walks and the sentence-end walks, which check what is computed and take minutes
    # under the sanitizers, and the same interrupted output for nine more signals.
    ctest --test-dir build-asan --output-on-failure -j2 -E \
        '^(Texts/RandomOccurrences\.|SentenceEnds\.|Signals/InterruptedOutput\..*/(INT|HUP|QUIT|PIPE|ALRM|USR1|USR2|XCPU|RTMIN)$)'
    # ctest runs each test in a process of its own; the app's tests also run together in
    # one process, three times over, where a worker that outlives its window would show.
    build-asan/tests/app/app_tests --gtest_repeat=3 --gtest_brief=1
}

# The analysis, the index and the jobs that hand work between threads, once more under
# ThreadSanitizer: a build of only these tests' programs.
thread_sanitizer_build() {
    cmake -S . -B build-tsan -G Ninja -DVERBARIUM_WERROR=ON -DVERBARIUM_TSAN=ON \
        -DVERBARIUM_BENCHMARKS=OFF
    cmake --build build-tsan --target analysis-tests index_tests jobs_tests
    # The random texts held to literal walks (Texts/*) and the sentence-end walks check
    # what is computed, not how threads meet, and take minutes under ThreadSanitizer.
    local program
    for program in analysis/analysis-tests index/index_tests jobs/jobs_tests; do
        TSAN_OPTIONS="suppressions=$PWD/scripts/tsan.supp" "build-tsan/tests/$program" \
            --gtest_brief=1 --gtest_filter='-Texts/*:SentenceEnds.*'
    done
}

timed "packages and build" scripts/release-build.sh build
timed "tests" ctest --test-dir build --output-on-failure -j2
timed "sanitizer build and tests" sanitizer_build
timed "thread sanitizer build and tests" thread_sanitizer_build
timed "Debian package" scripts/package.sh build
timed "fuzzing" scripts/fuzz.sh 30

printf '%s\n' "${stage_times[@]}" >&2
echo "== all: $SECONDS s" >&2
