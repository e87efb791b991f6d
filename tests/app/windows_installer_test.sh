#!/usr/bin/env bash
# The installer under Wine: /S installs without a question into Program Files\Loftype,
# with a Start-menu entry and an uninstaller registered with Windows; the
# installed loftype.exe starts; the uninstaller, silent too, removes it all.
# Usage: windows_installer_test.sh SETUP.EXE   (with WINEPREFIX set, on an X display)
set -euo pipefail
setup=$1
. "$(dirname "$0")/x_session.sh"
fail() { echo "installer test: $*" >&2; exit 1; }
folder="$WINEPREFIX/drive_c/Program Files/Loftype"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Loftype (h8)/Loftype.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Loftype'

wine "$setup" /S
for file in loftype.exe h8.exe License.txt ReadMe.txt Uninstall.exe; do
    [ -f "$folder/$file" ] || fail "$file not installed"
done
[ -f "$shortcut" ] || fail "no Start-menu entry"
wine reg query "$key" /v UninstallString >/dev/null 2>&1 || fail "no uninstaller registered"

wine "$folder/loftype.exe" &
program=$!
main=$(find_window '^Input$') || fail "loftype.exe did not start"
exit_from_menu "$main" "$program" "the installed loftype.exe" || fail "File, Exit did not end loftype.exe"

# The uninstaller runs on from a copy of itself, so wait for the folder to go.
wine "$folder/Uninstall.exe" /S
until_true 60 test ! -e "$folder" || fail "the uninstaller left $folder"
[ ! -e "$shortcut" ] || fail "the uninstaller left the Start-menu entry"
! wine reg query "$key" >/dev/null 2>&1 || fail "the uninstaller left its registry key"
echo "the installer installed silently, the installed loftype.exe ran, the uninstaller removed it"
