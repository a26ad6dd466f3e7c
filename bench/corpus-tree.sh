#!/usr/bin/env bash
# The same text as one file and cut into FILES files in a folder (at line ends, in path
# order): how long `verbarium-cli tree --word the` takes on each without the index cache,
# the best of three runs, with the peak memory (target: the folder within 1.2 times the
# file's time for up to 1,000 files, 1.5 times beyond, such as 20,000 files of 5 KB).
# Usage: bench/corpus-tree.sh VERBARIUM-CLI TEXT [FILES]
set -euo pipefail
cli=$1
text=$2
files=${3:-1000}
folder="$(dirname "$text")/corpus-$files"
if [ ! -d "$folder" ]; then
    mkdir -p "$folder.tmp"
    python3 - "$text" "$folder.tmp" "$files" <<'PY'
import sys
text, folder, files = sys.argv[1], sys.argv[2], int(sys.argv[3])
lines = open(text, "rb").read().splitlines(keepends=True)
per = -(-len(lines) // files)
for index in range(files):
    with open(f"{folder}/part-{index:05d}.txt", "wb") as out:
        out.writelines(lines[index * per:(index + 1) * per])
PY
    mv "$folder.tmp" "$folder"
fi
best() {
    local fastest=""
    for _ in 1 2 3; do
        /usr/bin/time -f "%e %M" -o /tmp/corpus-tree-time.$$ "$cli" tree "$@" --word the \
            --max-depth 1 --no-cache >/dev/null
        read -r seconds kilobytes </tmp/corpus-tree-time.$$
        if [ -z "$fastest" ] || awk "BEGIN{exit !($seconds < $fastest)}"; then
            fastest=$seconds
            peak=$kilobytes
        fi
    done
    rm -f /tmp/corpus-tree-time.$$
    echo "$fastest $peak"
}
read -r oneSeconds onePeak < <(best "$text")
read -r manySeconds manyPeak < <(best "$folder")
echo "  one file:        $oneSeconds s, $onePeak KB"
echo "  $files files:      $manySeconds s, $manyPeak KB"
target=$([ "$files" -le 1000 ] && echo 1.2 || echo 1.5)
awk "BEGIN{printf \"  ratio: %.2f (target $target)\n\", $manySeconds / $oneSeconds}"
