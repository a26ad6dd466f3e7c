#!/usr/bin/env bash
# Checks a Debian package of Verbarium: the files a desktop and the manual need, the
# libraries dpkg-shlibdeps found and the fonts, one version throughout, and lintian
# without errors or warnings (those justified are overridden in the package).
# Usage: check-deb.sh PACKAGE.deb
set -euo pipefail
deb=$1
fail() {
    echo "$deb: $*" >&2
    exit 1
}

files=$(dpkg-deb --contents "$deb" | awk '{print $6}')
app_id=app.verbarium.Verbarium
for file in usr/bin/verbarium usr/bin/verbarium-cli \
    usr/share/applications/$app_id.desktop \
    usr/share/icons/hicolor/scalable/apps/$app_id.svg \
    usr/share/metainfo/$app_id.metainfo.xml \
    usr/share/man/man1/verbarium.1.gz usr/share/man/man1/verbarium-cli.1.gz \
    usr/share/doc/verbarium/copyright usr/share/doc/verbarium/changelog.gz; do
    grep -qx "\./$file" <<<"$files" || fail "has no $file"
done

depends=$(dpkg-deb --field "$deb" Depends)
for package in libc6 libstdc\\+\\+6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 \
    libharfbuzz-subset0 'libicu[0-9]+' fonts-beteckna fonts-dejavu-core; do
    grep -Eq "(^|, )$package( |,|$)" <<<"$depends" || fail "does not depend on $package: $depends"
done

version=$(dpkg-deb --field "$deb" Version)
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
dpkg-deb --extract "$deb" "$tree"
for page in verbarium verbarium-cli; do
    zcat "$tree/usr/share/man/man1/$page.1.gz" | grep -q "\"Verbarium $version\"" ||
        fail "the manual page of $page is not for version $version"
done
grep -q "<release version=\"$version\"" "$tree/usr/share/metainfo/$app_id.metainfo.xml" ||
    fail "the AppStream description has no release $version"
zcat "$tree/usr/share/doc/verbarium/changelog.gz" | head -n 1 | grep -q "^verbarium ($version)" ||
    fail "the changelog does not start with $version"

lintian --fail-on error,warning --display-info "$deb"
echo "$deb: contents, dependencies and lintian are fine"
