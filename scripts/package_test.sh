#!/usr/bin/env bash
# Builds the Debian packages (h8 for amd64 and arm64, loftype for amd64) and the
# archives of the static h8 for x86-64 and aarch64 Linux, and checks them: their
# files and dependencies, lintian, the AppStream metainfo, the programs unpacked (the
# ARM one under qemu-aarch64), the completions of h8 in bash, zsh and fish, and the
# archives unpacked into a home's ~/.local as a user would. As root it also
# installs h8 alone with apt-get, runs and removes it, then upgrades a package as 1.2
# had it (loftype holding h8) to both, runs them and removes them. Ends with one
# line "archive: PATH" for each archive.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/steps.sh
bash scripts/setup.sh lintian appstream dpkg-dev file zsh fish man-db bash-completion \
    g++-aarch64-linux-gnu qemu-user
bash scripts/build.sh >/dev/null
bash scripts/build.sh --aarch64 >/dev/null
rm -f build/*.deb build-aarch64/*.deb
# step keeps CPack's output in a log and, should it fail, names it and shows the log.
for dir in build build-aarch64; do
    step "Packing the Debian packages of $dir/ with CPack" \
        "the log above shows what CPack stopped at; (cd $dir && cpack -G DEB) runs it again" \
        bash -c 'cd "$1" && cpack -G DEB' _ "$dir"
done
cmake --build build --target h8_archive >/dev/null
cmake --build build-aarch64 --target h8_archive >/dev/null
h8_deb=$(ls build/h8_*_amd64.deb)
h8_arm_deb=$(ls build-aarch64/h8_*_arm64.deb)
loftype_deb=$(ls build/loftype_*_amd64.deb)
version=$(dpkg-deb -f "$h8_deb" Version)
app_id=example.orvenna.loftype
fail() { echo "package test: $*" >&2; exit 1; }
files() { dpkg-deb -c "$1" | awk '$1 !~ /^d/ {print $6}'; }
depends() { dpkg-deb -f "$1" Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//'; }

[ "$(files "$h8_deb")" = "./usr/bin/h8
./usr/share/bash-completion/completions/h8
./usr/share/doc/h8/changelog.Debian.gz
./usr/share/doc/h8/copyright
./usr/share/fish/vendor_completions.d/h8.fish
./usr/share/lintian/overrides/h8
./usr/share/man/man1/h8.1.gz
./usr/share/zsh/vendor-completions/_h8" ] || fail "h8 holds other files: $(files "$h8_deb")"
[ "$(files "$h8_arm_deb")" = "$(files "$h8_deb")" ] || fail "h8 for arm64 holds other files"
[ "$(dpkg-deb -f "$h8_arm_deb" Architecture)" = arm64 ] || fail "h8 for arm64 is not arm64"
# The static h8 needs no library, so neither package of it depends on anything.
for deb in "$h8_deb" "$h8_arm_deb"; do
    [ -z "$(dpkg-deb -f "$deb" Depends)" ] || fail "$deb depends on $(dpkg-deb -f "$deb" Depends)"
done
loftype_files=$(files "$loftype_deb")
for path in ./usr/bin/loftype ./usr/share/applications/$app_id.desktop \
            ./usr/share/metainfo/$app_id.metainfo.xml ./usr/share/man/man1/loftype.1.gz \
            ./usr/share/icons/hicolor/{16x16,48x48,256x256}/apps/loftype.png \
            ./usr/share/doc/loftype/{copyright,changelog.Debian.gz}; do
    grep -qx "$path" <<<"$loftype_files" || fail "$path missing from loftype"
done
! grep -qx './usr/bin/h8\|./usr/share/man/man1/h8.1.gz' <<<"$loftype_files" ||
    fail "loftype holds what h8 holds"
dpkg-deb -f "$loftype_deb" Depends | grep -qF "h8 (= $version)" || fail "loftype needs h8 $version"
for needed in libqt6widgets6 libqt6gui6 libqt6core6 fonts-liberation qt6-qpa-plugins; do
    depends "$loftype_deb" | grep -qx "$needed" || fail "$needed missing from loftype's Depends"
done

# Every tag is shown; errors and warnings fail.
lintian --info --pedantic --fail-on error,warning "$h8_deb" "$h8_arm_deb" "$loftype_deb" ||
    fail "lintian found faults"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$h8_deb" "$root"
dpkg-deb -x "$loftype_deb" "$root"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml" >/dev/null ||
    fail "the metainfo is not valid"
grep -qx "Exec=loftype" "$root/usr/share/applications/$app_id.desktop" ||
    fail "the desktop entry does not start loftype"
cmp <("$root/usr/bin/h8" -w 20 'Packaged!') <(build/cli/h8 -w 20 'Packaged!') || fail "unpacked h8 differs"
bash tests/cli/completions_test.sh "$root/usr/share" || fail "the completions of h8 do not work"
status=0
QT_QPA_PLATFORM=offscreen timeout 3 "$root/usr/bin/loftype" 2>/dev/null || status=$?
[ "$status" -eq 124 ] || fail "unpacked loftype did not keep running (status $status)"

if [ "$(id -u)" -eq 0 ]; then
    apt_get() { DEBIAN_FRONTEND=noninteractive apt-get -y -qq "$@" >/dev/null; }
    installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
    dpkg -r loftype h8 >/dev/null 2>&1

    apt_get install "./$h8_deb"
    ! installed loftype || fail "installing h8 installed loftype"
    cmp <(/usr/bin/h8 'Installed') <(build/cli/h8 'Installed') || fail "installed h8 differs"
    apt_get remove h8
    [ ! -e /usr/bin/h8 ] || fail "removing h8 left /usr/bin/h8"

    # Until the split, the package loftype held /usr/bin/h8: h8 must take it over.
    old="$root/old"
    mkdir -p "$old/DEBIAN" "$old/usr/bin"
    cp "$root/usr/bin/h8" "$old/usr/bin/h8"
    printf '%s\n' 'Package: loftype' 'Version: 1.2' 'Architecture: amd64' \
        'Maintainer: Orvenna Software <comments@orvenna.example>' \
        'Description: loftype as 1.2 was packaged' >"$old/DEBIAN/control"
    dpkg-deb --build --root-owner-group "$old" "$root/old.deb" >/dev/null
    dpkg -i "$root/old.deb" >/dev/null
    apt_get install "./$h8_deb" "./$loftype_deb"
    [ "$(dpkg -S /usr/bin/h8)" = "h8: /usr/bin/h8" ] || fail "h8 did not take /usr/bin/h8 over"
    cmp <(/usr/bin/h8 'Installed') <(build/cli/h8 'Installed') || fail "installed h8 differs"
    status=0
    xvfb-run -a timeout 3 /usr/bin/loftype 2>/dev/null || status=$?
    [ "$status" -eq 124 ] || fail "installed loftype did not keep running (status $status)"
    apt_get remove loftype h8
    [ ! -e /usr/bin/loftype ] && [ ! -e /usr/bin/h8 ] || fail "removing left the programs behind"
fi

# Each archive as a user takes it: unpacked into ~/.local, where the shell finds the
# program, man its page and bash and fish their completions; zsh looks in the
# archive's share/zsh/site-functions under /usr/local.
check_archive() { # check_archive ARCHIVE FILE-SAYS [EMULATOR]
    local archive=$1 machine=$2 emulator=${3:-} home
    [ "$(tar -tzf "$archive")" = "bin/h8
share/bash-completion/completions/h8
share/doc/h8/copyright
share/fish/vendor_completions.d/h8.fish
share/man/man1/h8.1.gz
share/zsh/site-functions/_h8" ] || fail "$archive holds other files: $(tar -tzf "$archive")"
    home=$(mktemp -d -p "$root")
    mkdir -p "$home/.local"
    tar -xzf "$archive" -C "$home/.local"
    local h8=$home/.local/bin/h8
    file "$h8" | grep -q "$machine.*, statically linked" || fail "$archive: h8 is not static: $(file "$h8")"
    cmp <($emulator "$h8" -w 20 'Packaged!') <(build/cli/h8 -w 20 'Packaged!') ||
        fail "$archive: h8 differs"
    local user=(env -i HOME="$home" PATH="$home/.local/bin:/usr/bin:/bin")
    [ "$("${user[@]}" man -w h8)" = "$home/.local/share/man/man1/h8.1.gz" ] ||
        fail "$archive: man does not find h8(1)"
    "${user[@]}" bash -c '. /usr/share/bash-completion/bash_completion
        _completion_loader h8; complete -p h8' 2>&1 | grep -q -- '-F _h8 ' ||
        fail "$archive: bash does not find the completions"
    [ "$("${user[@]}" fish -c 'complete -C "h8 --fo"' | cut -f1)" = --format ] ||
        fail "$archive: fish does not find the completions"
    bash tests/cli/completions_test.sh "$home/.local/share" || fail "$archive: completions"
}
zsh -fc 'print -rl -- $fpath' | grep -qx /usr/local/share/zsh/site-functions ||
    fail "zsh does not look in /usr/local/share/zsh/site-functions"
x86_archive=$(ls "$PWD"/build/h8-*-linux-x86_64.tar.gz)
arm_archive=$(ls "$PWD"/build-aarch64/h8-*-linux-aarch64.tar.gz)
check_archive "$x86_archive" x86-64
check_archive "$arm_archive" "ARM aarch64" qemu-aarch64
size=$(tar -xzOf "$x86_archive" bin/h8 | wc -c)
[ "$size" -le 1500000 ] || fail "h8 for x86-64 takes $size bytes, more than 1.5 MB"

echo "package test: $h8_deb, $h8_arm_deb, $loftype_deb and the archives passed"
echo "archive: $x86_archive"
echo "archive: $arm_archive"
