#!/usr/bin/env bash
# The files a Windows user gets: loftype.exe and h8.exe each stand alone (they
# import only DLLs that Windows itself has: those of Wine's system folder, and
# the API sets, api-ms-win-*, that Windows resolves to its own DLLs),
# are small, and carry the icon and the version; the zip file holds both with the
# licence and a read-me in Windows line ends.
# Usage: windows_files_test.sh BUILD-WINDOWS   (with WINEPREFIX set)
set -euo pipefail
build=$1
fail() { echo "files test: $*" >&2; exit 1; }
system32=$WINEPREFIX/drive_c/windows/system32

for program in loftype h8; do
    exe=$build/$program.exe
    imports=$(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print $3}')
    for dll in $(grep -v '^api-ms-win-' <<<"$imports"); do
        [ -n "$(find "$system32" -maxdepth 1 -iname "$dll")" ] || fail "$program.exe needs $dll"
    done
    echo "$program.exe: $(stat -c %s "$exe") bytes, imports $(echo $imports)"
    resources=$(x86_64-w64-mingw32-objdump -h "$exe" | awk '$2 == ".rsrc"')
    [ -n "$resources" ] || fail "$program.exe has no resources"
    # The version strings are UTF-16 in the resources.
    strings=$(x86_64-w64-mingw32-strings -e l -n 3 "$exe")
    for text in "Loftype (h8)" "1.2" "Orvenna Software" "$program.exe"; do
        grep -qxF "$text" <<<"$strings" ||
            fail "$program.exe lacks \"$text\" in its version information"
    done
done
[ "$(stat -c %s "$build/loftype.exe")" -le $((15 * 1024 * 1024)) ] || fail "loftype.exe over 15 MB"

zip=$build/loftype-1.2-win64.zip
listing=$(unzip -Z1 "$zip" | sort)
expected=$(printf 'loftype-1.2-win64/%s\n' License.txt ReadMe.txt h8.exe loftype.exe | sort)
[ "$listing" = "$expected" ] || fail "the zip file holds: $listing"
for exe in loftype.exe h8.exe; do
    cmp <(unzip -p "$zip" "loftype-1.2-win64/$exe") "$build/$exe" || fail "$exe differs in the zip"
done
for text in ReadMe.txt License.txt; do
    unzip -p "$zip" "loftype-1.2-win64/$text" | grep -qv $'\r$' && fail "$text has a line without CR LF"
done
echo "the programs stand alone; the zip file holds them, the licence and the read-me"
