#!/usr/bin/env bash
# Every place that names the version names the project's: h8 --version, the manual
# pages as built, the desktop program's About text (in the executable, UTF-16), the
# newest release of the AppStream metainfo and of the Debian changelog.
# Usage: version_test.sh VERSION H8 PAGES_FOLDER SOURCE_FOLDER [LOFTYPE]
set -euo pipefail
version=$1 h8=$2 pages=$3 source=$4 loftype=${5:-}
failures=0
fail() { echo "version: $*" >&2; failures=$((failures + 1)); }

[ "$("$h8" --version)" = "h8 (Loftype) $version" ] || fail "h8 --version says $("$h8" --version)"
for page in "$pages"/h8.1 ${loftype:+"$pages"/loftype.1}; do
    head -n 1 "$page" | grep -qF "\"Loftype (h8) $version\"" || fail "$page says $(head -n 1 "$page")"
done
if [ -n "$loftype" ]; then
    python3 -c 'import sys; sys.exit(sys.argv[2].encode("utf-16-le") not in open(sys.argv[1], "rb").read())' \
        "$loftype" "Loftype (h8) version $version" || fail "loftype's About does not say $version"
fi
newest=$(grep -m 1 -o '<release version="[^"]*"' "$source/packaging/example.orvenna.loftype.metainfo.xml")
[ "$newest" = "<release version=\"$version\"" ] || fail "the metainfo's newest release is $newest"
head -n 1 "$source/packaging/debian/changelog" | grep -qF "($version-" ||
    fail "the changelog's newest entry is $(head -n 1 "$source/packaging/debian/changelog")"
[ "$failures" -eq 0 ] || exit 1
echo "version: everything says $version"
