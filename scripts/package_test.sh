#!/usr/bin/env bash
# Builds the Debian package from the build, checks its files and dependencies,
# unpacks it into a scratch root and runs the unpacked programs; as root it also
# installs it with apt-get, runs the installed h8 and removes the package again.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh >/dev/null
(cd build && cpack -G DEB >/dev/null)
deb=$(ls build/loftype_*_amd64.deb)
fail() { echo "package test: $*" >&2; exit 1; }

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 fonts-liberation qt6-qpa-plugins; do
    grep -q "$needed" <<<"$depends" || fail "$needed missing from Depends: $depends"
done
files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for path in ./usr/bin/loftype ./usr/bin/h8 ./usr/share/applications/loftype.desktop \
            ./usr/share/icons/hicolor/48x48/apps/loftype.png ./usr/share/man/man1/h8.1; do
    grep -qx "$path" <<<"$files" || fail "$path missing from the package"
done

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
cmp <("$root/usr/bin/h8" -w 20 'Packaged!') <(build/cli/h8 -w 20 'Packaged!') || fail "unpacked h8 differs"
status=0
QT_QPA_PLATFORM=offscreen timeout 3 "$root/usr/bin/loftype" 2>/dev/null || status=$?
[ "$status" -eq 124 ] || fail "unpacked loftype did not keep running (status $status)"

if [ "$(id -u)" -eq 0 ]; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$deb" >/dev/null
    cmp <(/usr/bin/h8 'Installed') <(build/cli/h8 'Installed') || fail "installed h8 differs"
    DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq loftype >/dev/null
fi
echo "package test: $deb passed"
