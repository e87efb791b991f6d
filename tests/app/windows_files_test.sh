#!/usr/bin/env bash
# The files a Windows user gets: loftype.exe and h8.exe each stand alone (they
# import only DLLs that Windows itself has: those of Wine's system folder, and
# the API sets, api-ms-win-*, that Windows resolves to its own DLLs),
# are small, and carry the icon, the version and an application manifest (the
# rights of the user who starts them, Windows 10 and 11, long paths; the desktop
# program per-monitor DPI); the installer asks for no more rights than its user's;
# the zip file holds both programs with the licence and a read-me in Windows line ends.
# Usage: windows_files_test.sh BUILD-WINDOWS VERSION   (with WINEPREFIX set)
set -euo pipefail
build=$1 version=$2
fail() { echo "files test: $*" >&2; exit 1; }
system32=$WINEPREFIX/drive_c/windows/system32
manifest=$(mktemp)
trap 'rm -f "$manifest"' EXIT

# manifest_declares EXE SETTING... : the manifest in EXE's resources holds each SETTING,
# an element, or an element's attribute, with its value: "longPathAware=true",
# "supportedOS/@Id=..."; "dpiAwareness=" for one that is absent.
manifest_declares() {
    local exe=$1 setting name element value
    # Windows reads the manifest that is resource number 1 of type 24.
    x86_64-w64-mingw32-objdump -p "$exe" | grep -A2 '^[0-9a-f]*   Entry: ID: 0x000018,' |
        grep -q '^[0-9a-f]*     Entry: ID: 0x000001,' || fail "$exe has no manifest resource"
    python3 -c '
import re, sys
found = re.search(rb"<assembly .*?</assembly>", open(sys.argv[1], "rb").read(), re.S)
sys.stdout.buffer.write(found.group(0) if found else b"")' "$exe" >"$manifest"
    [ -s "$manifest" ] || fail "$exe has no manifest"
    for setting in "${@:2}"; do
        name=${setting%%=*} element=${setting%%[/=]*}
        value=$(xmllint --xpath "string(//*[local-name()='$element']${name#"$element"})" "$manifest")
        [ "$value" = "${setting#*=}" ] || fail "$(basename "$exe") declares $name \"$value\""
    done
}
windows_10_and_11={8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}

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
    for text in "Loftype (h8)" "$version" "Orvenna Software" "$program.exe"; do
        grep -qxF "$text" <<<"$strings" ||
            fail "$program.exe lacks \"$text\" in its version information"
    done
done
manifest_declares "$build/loftype.exe" requestedExecutionLevel/@level=asInvoker \
    "supportedOS/@Id=$windows_10_and_11" "longPathAware=true" "dpiAware=true/pm" \
    "dpiAwareness=PerMonitorV2"
manifest_declares "$build/h8.exe" requestedExecutionLevel/@level=asInvoker \
    "supportedOS/@Id=$windows_10_and_11" "longPathAware=true" "dpiAwareness="
manifest_declares "$build/loftype-$version-win64-setup.exe" \
    requestedExecutionLevel/@level=asInvoker "supportedOS/@Id=$windows_10_and_11"
[ "$(stat -c %s "$build/loftype.exe")" -le $((15 * 1024 * 1024)) ] || fail "loftype.exe over 15 MB"

zip=$build/loftype-$version-win64.zip
listing=$(unzip -Z1 "$zip" | sort)
expected=$(printf "loftype-$version-win64/%s\n" License.txt ReadMe.txt h8.exe loftype.exe | sort)
[ "$listing" = "$expected" ] || fail "the zip file holds: $listing"
for exe in loftype.exe h8.exe; do
    cmp <(unzip -p "$zip" "loftype-$version-win64/$exe") "$build/$exe" || fail "$exe differs in the zip"
done
for text in ReadMe.txt License.txt; do
    unzip -p "$zip" "loftype-$version-win64/$text" | grep -qv $'\r$' && fail "$text has a line without CR LF"
done
echo "the programs stand alone; the zip file holds them, the licence and the read-me"
