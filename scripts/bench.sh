#!/usr/bin/env bash
# Builds a release build in build-bench (installing what is missing, including the
# King James Bible from bible-kjv and bible-kjv-text), then runs every benchmark on
# the generated text and the King James text, and the peak-memory checks, each in
# a fresh process. Extra arguments go to every benchmark (e.g. --benchmark_filter=X).
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=build-bench
scripts/install-packages.sh bible-kjv bible-kjv-text time python3 stress-ng

scripts/setup.sh "$build_dir" -DCMAKE_BUILD_TYPE=Release -DVERBARIUM_BENCHMARKS=ON >/dev/null

kjv="$PWD/$build_dir/kjv.txt"
if [ ! -s "$kjv" ]; then
    bible gen1:1-rev22:21 >"$kjv.tmp"
    mv "$kjv.tmp" "$kjv"
fi
export VERBARIUM_KJV="$kjv"
# The index cache of these runs is their own, emptied first, so that cold runs are cold.
export XDG_CACHE_HOME="$PWD/$build_dir/bench-cache"
rm -rf "$XDG_CACHE_HOME"
export QT_QPA_PLATFORM=offscreen
echo "King James text: $kjv ($(stat -c %s "$kjv") bytes)"

while read -r benchmark; do
    [ -n "$benchmark" ] || continue
    echo
    echo "== $(basename "$benchmark")"
    "$benchmark" "$@"
done <"$build_dir/bench/benchmarks.txt"

echo
echo "== the window with a big text (24 copies of the King James text): imported, with the"
echo "   words before, reopened from the index cache, pasted and analysed again"
kjv24="$PWD/$build_dir/kjv24.txt"
if [ ! -s "$kjv24" ]; then
    for _ in $(seq 24); do cat "$kjv"; done >"$kjv24.tmp"
    mv "$kjv24.tmp" "$kjv24"
fi
# The app's remembered view options are its own here, not the user's.
XDG_CONFIG_HOME="$PWD/$build_dir/bench-config" "$build_dir/bench/big-text-window" "$kjv24" 2>/dev/null

echo
echo "== quitting with both cores busy while the big text is read, analysed and indexed,"
echo "   and as a tree grows: from Ctrl+Q to the process gone (target: 0.5 s)"
bench/quit-under-load.sh "$build_dir/app/verbarium" "$kjv24"

echo
echo "== verbarium-cli tree of \"the\" in the 24 copies as one file and cut into 1,000 files,"
echo "   then into 20,000 files of 5 KB"
bench/corpus-tree.sh "$build_dir/cli/verbarium-cli" "$kjv24" 1000
bench/corpus-tree.sh "$build_dir/cli/verbarium-cli" "$kjv24" 20000

echo
echo "== from a word's start to its verbarium painted, with the text indexed"
"$build_dir/bench/verbarium-start-latency" "$kjv" 1 2>/dev/null
"$build_dir/bench/verbarium-start-latency" "$kjv" 24 2>/dev/null

echo
echo "== whole command-line runs on hostile shapes (seconds, peak kilobytes)"
cli="$build_dir/cli/verbarium-cli"
hostile="$PWD/$build_dir/hostile"
mkdir -p "$hostile"
python3 - "$kjv" "$hostile" <<'PY'
import sys
kjv, out = sys.argv[1], sys.argv[2]
open(out + "/the-million.txt", "w").write("the " * 1000000)
text = open(kjv, "rb").read()[:1000000]
text = bytes(c for c in text[:text.rindex(b"\n") + 1] if c not in b".?!")
open(out + "/no-sentence-ends.txt", "wb").write(text)
open(out + "/no-sentence-ends-twice.txt", "wb").write(text + text)
PY
run() { /usr/bin/time -f "  %e s, %M KB: $*" "$@" >/dev/null; }
run "$cli" tree "$hostile/the-million.txt" --word the --max-depth 2
run "$cli" tree "$hostile/no-sentence-ends-twice.txt" --word lord --max-depth 2
run "$cli" tree "$hostile/no-sentence-ends.txt" --word the --output "$hostile/the.json"

echo
echo "== verbarium-cli tree of \"the\" in the 24 copies: without the index cache, keeping its"
echo "   index, then from the cache (targets: 2.5 s and 500 MB cold, 0.5 s from the cache)"
for cache in --no-cache "" ""; do
    # shellcheck disable=SC2086 # no option is no argument
    run "$cli" tree "$kjv24" --word the --max-depth 1 $cache
done

echo
echo "== contexts of \"the\" in the 24 copies, whole runs to a file, the faster of two (target:"
echo "   1,000,000 lines a second, memory flat in the output's size; a word that does not occur"
echo "   gives the cost of reading and indexing alone)"
contexts_run() {
    local best=""
    for _ in 1 2; do
        local figures
        figures=$(/usr/bin/time -f "%e %M" "$cli" contexts "$kjv24" --word "$1" \
            --output "$hostile/contexts.tsv" 2>&1 >/dev/null | tail -1)
        if [ -z "$best" ] || awk -v a="$figures" -v b="$best" \
            'BEGIN { split(a, x, " "); split(b, y, " "); exit !(x[1] < y[1]) }'; then
            best=$figures
        fi
    done
    echo "$best"
}
read -r the_seconds the_kb < <(contexts_run the)
lines=$(wc -l <"$hostile/contexts.tsv")
read -r none_seconds none_kb < <(contexts_run zebra)
rm -f "$hostile/contexts.tsv"
awk -v lines="$lines" -v s="$the_seconds" -v kb="$the_kb" -v s0="$none_seconds" -v kb0="$none_kb" \
    'BEGIN {
        printf "  %d lines in %.2f s, peak %d KB: %.0f lines a second for the whole run\n", lines, s, kb, lines / s
        printf "  finding nothing: %.2f s, peak %d KB; the lines alone: %.0f lines a second, %+d KB\n",
            s0, kb0, (s > s0 ? lines / (s - s0) : 0), kb - kb0
    }'

echo
echo "== SVG pictures of the King James text: words as text (target: the verbarium of"
echo "   \"the\" at most 1 MB) and as outlines (seconds, peak kilobytes, bytes)"
for words in "" --svg-outlines; do
    for picture in "cloud" "verbarium --word the"; do
        # shellcheck disable=SC2086 # the picture's words are its arguments
        run "$cli" $picture "$kjv" --format svg $words --output "$hostile/picture.svg"
        echo "  $(stat -c %s "$hostile/picture.svg") bytes"
    done
done

echo
echo "== 1,000 analyses and starts in one process"
"$build_dir/bench/repeated-starts"

echo
echo "== peak memory (each in a fresh process)"
"$build_dir/bench/analysis-peak-memory" "$kjv"
"$build_dir/bench/analysis-peak-memory" --generated 10
"$build_dir/bench/analysis-peak-memory" --generated 100
"$build_dir/bench/tree-peak-memory" "$kjv" the
"$build_dir/bench/tree-peak-memory" "$kjv24" the
"$build_dir/bench/indexes-peak-memory" "$kjv" 24
