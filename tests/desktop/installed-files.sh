#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks what a Linux desktop expects there.
# Usage: installed-files.sh BUILD_DIR
set -euo pipefail
build_dir=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build_dir" --prefix "$prefix" >/dev/null
app_id=app.verbarium.Verbarium
expected=(
    bin/verbarium
    bin/verbarium-cli
    share/applications/$app_id.desktop
    share/icons/hicolor/scalable/apps/$app_id.svg
    share/metainfo/$app_id.metainfo.xml
    share/man/man1/verbarium.1.gz
    share/man/man1/verbarium-cli.1.gz
)
for file in "${expected[@]}"; do
    [ -s "$prefix/$file" ] || { echo "not installed: $file" >&2; exit 1; }
done
[ -x "$prefix/bin/verbarium" ] && [ -x "$prefix/bin/verbarium-cli" ] ||
    { echo "the programs are not executable" >&2; exit 1; }

desktop="$prefix/share/applications/$app_id.desktop"
# Valid without so much as a hint (more than one main category would give one).
hints=$(desktop-file-validate "$desktop") && [ -z "$hints" ] || { echo "$hints" >&2; exit 1; }
grep -qx 'Exec=verbarium %f' "$desktop"
grep -qx 'MimeType=text/plain;' "$desktop"
# Errors, warnings and infos; the pedantic note that the id has capitals is the
# reverse-DNS name's own.
hints=$(appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml") &&
    ! grep -q '^[EWI]:' <<<"$hints" || { echo "$hints" >&2; exit 1; }
# The icon is a well-formed SVG document.
grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/$app_id.svg"
# The manual pages format without warnings.
for page in verbarium verbarium-cli; do
    [ -z "$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/$page.1.gz" 2>&1 >/dev/null)" ]
done
"$prefix/bin/verbarium-cli" --help | grep -q '^Usage: verbarium-cli'
echo "installed files are complete and valid"
