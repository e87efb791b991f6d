#!/usr/bin/env bash
# The installer under Wine, in a Wine prefix of its own made afresh: /S installs for
# the user without a question (the programs, the licence and the read-me, a Start-menu
# entry, the uninstall entry, the folder on the user's PATH); the installed h8 runs by
# its name from a new command prompt; an install while the installed loftype.exe runs
# changes nothing; installing again keeps one of each; the uninstaller takes out what
# the installer put in, from a PATH longer than the installer's own strings, and
# nothing else. /S /AllUsers installs into Program Files, onto the system's PATH. A
# PATH that would grow over Windows' limit is left as it is, and the exit status says so.
# The Start-menu entries are not handed on to the Linux desktop (winemenubuilder).
# Usage: windows_installer_test.sh SETUP.EXE BUILD-WINDOWS VERSION   (on an X display
#   with a window manager)
set -euo pipefail
setup=$1 build=$2 version=$3
. "$(dirname "$0")/x_session.sh"
fail() { echo "installer test: $*" >&2; exit 1; }
export WINEPREFIX WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}winemenubuilder.exe=d"
WINEPREFIX=$(mktemp -d)
trap 'wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
wineboot -i >/dev/null 2>&1

uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Loftype'
user_environment='HKCU\Environment'
system_environment='HKLM\System\CurrentControlSet\Control\Session Manager\Environment'

# windows_path FOLDER: the Windows name of a folder of the prefix's drive C:.
windows_path() { echo "C:${1#"$WINEPREFIX/drive_c"}" | tr / '\\'; }
# prefix_folder VARIABLE: the folder of the prefix that a Windows variable names.
prefix_folder() {
    local name
    name=$(wine cmd /c echo "%$1%" | tr -d '\r' | tr '\\' /)
    echo "$WINEPREFIX/drive_c${name#C:}"
}
# path_value KEY: the PATH stored in KEY, as stored.
path_value() {
    wine reg query "$1" /v Path 2>/dev/null | tr -d '\r' | sed -n 's/^ *Path *REG_[A-Z_]* *//p'
}
runs_with_status() { # runs_with_status STATUS COMMAND...
    local status=0
    "${@:2}" || status=$?
    [ "$status" -eq "$1" ] || fail "$* ended with status $status, not $1"
}
# installed KEY FOLDER SHORTCUT PATH-KEY PATH: one install is there, whole.
installed() {
    local file value
    for file in loftype.exe h8.exe License.txt ReadMe.txt Uninstall.exe; do
        [ -f "$2/$file" ] || fail "$file not installed in $2"
    done
    cmp -s "$2/loftype.exe" "$build/loftype.exe" && cmp -s "$2/h8.exe" "$build/h8.exe" ||
        fail "the installed programs differ from the built ones"
    [ -f "$3" ] || fail "no Start-menu entry $3"
    [ "$(find "$(dirname "$3")" -iname '*loftype*' | wc -l)" -eq 1 ] || fail "not one Start-menu entry"
    for value in DisplayName DisplayVersion Publisher DisplayIcon UninstallString \
        InstallLocation EstimatedSize NoModify NoRepair; do
        wine reg query "$1\\$uninstall_key" /v "$value" >/dev/null 2>&1 ||
            fail "the uninstall entry in $1 lacks $value"
    done
    [ "$(path_value "$4")" = "$5" ] || fail "PATH in $4 is not what was expected: $(path_value "$4")"
}
# uninstalled KEY FOLDER SHORTCUT PATH-KEY PATH: waits for the uninstaller, which runs
# on from a copy of itself, to end; then nothing it put in is left.
uninstalled() {
    uninstall_entry_gone() { ! wine reg query "$1\\$uninstall_key" >/dev/null 2>&1; }
    until_true 60 uninstall_entry_gone "$1" || fail "the uninstaller left its entry in $1"
    [ ! -e "$3" ] || fail "the uninstaller left the Start-menu entry"
    [ "$(path_value "$4")" = "$5" ] || fail "the uninstaller left PATH as $(path_value "$4")"
}

# The user's PATH, with a reference left unexpanded.
user_path='%USERPROFILE%\bin;C:\Tools'
wine reg add "$user_environment" /v Path /t REG_EXPAND_SZ /d "$user_path" /f >/dev/null 2>&1
cd "$WINEPREFIX"
folder=$(prefix_folder LOCALAPPDATA)/Programs/Loftype
menu="$(prefix_folder APPDATA)/Microsoft/Windows/Start Menu/Programs"
installed_path="$user_path;$(windows_path "$folder")"
user_folder=$folder user_menu=$menu

runs_with_status 0 wine "$setup" /S
installed HKCU "$folder" "$menu/Loftype.lnk" "$user_environment" "$installed_path"
[ "$(wine cmd /c h8 --version | tr -d '\r')" = "h8 (Loftype) $version" ] ||
    fail "a new command prompt does not find h8"

wine "$folder/loftype.exe" &
program=$!
main=$(find_window '^Input$') || fail "the installed loftype.exe did not start"
runs_with_status 2 wine "$setup" /S
kill -0 "$program" || fail "installing again ended the running loftype.exe"
exit_from_menu "$main" "$program" "the installed loftype.exe" || fail "File, Exit did not end loftype.exe"

# The user adds entries after the install that take PATH over the installer's strings,
# then installs again.
longer_path=$installed_path
for i in $(seq 1 40); do longer_path+=";C:\\Tools\\Some tool with a long folder name, number $i"; done
wine reg add "$user_environment" /v Path /t REG_EXPAND_SZ /d "$longer_path" /f >/dev/null 2>&1
runs_with_status 0 wine "$setup" /S
installed HKCU "$folder" "$menu/Loftype.lnk" "$user_environment" "$longer_path"
mkdir "$folder/Files" && echo mine >"$folder/Files/Mine.txt"
runs_with_status 0 wine "$folder/Uninstall.exe" /S
uninstalled HKCU "$folder" "$menu/Loftype.lnk" "$user_environment" \
    "${longer_path/";$(windows_path "$folder")"/}"
[ "$(find "$folder" | wc -l)" -eq 3 ] && [ -f "$folder/Files/Mine.txt" ] ||
    fail "the uninstaller left more, or less, than the user's own file: $(find "$folder")"
rm -r "$folder"

# For everyone: Program Files, the system's PATH, the Start menu of all users.
system_path=$(path_value "$system_environment")
folder=$WINEPREFIX/drive_c/Program\ Files/Loftype
menu=$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs
runs_with_status 0 wine "$setup" /S /AllUsers
installed HKLM "$folder" "$menu/Loftype.lnk" "$system_environment" \
    "$system_path;C:\\Program Files\\Loftype"
! wine reg query "HKCU\\$uninstall_key" >/dev/null 2>&1 || fail "an install for everyone made a user entry"
runs_with_status 0 wine "$folder/Uninstall.exe" /S
uninstalled HKLM "$folder" "$menu/Loftype.lnk" "$system_environment" "$system_path"
until_true 60 test ! -e "$folder" || fail "the uninstaller left $folder"

# A PATH that the folder would take over Windows' limit of 32,767 characters.
printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Environment]\r\n"Path"="C:\\\\%s"\r\n' \
    "$(printf 'x%.0s' {1..32740})" >"$WINEPREFIX/drive_c/long-path.reg"
wine regedit /S 'C:\long-path.reg'
long_path=$(path_value "$user_environment")
[ "${#long_path}" -eq 32743 ] || fail "the long PATH was stored with ${#long_path} characters"
runs_with_status 3 wine "$setup" /S
[ "$(path_value "$user_environment")" = "$long_path" ] || fail "the installer changed a PATH it could not hold"
runs_with_status 0 wine "$user_folder/Uninstall.exe" /S
uninstalled HKCU "$user_folder" "$user_menu/Loftype.lnk" "$user_environment" "$long_path"
echo "the installer installed for the user and for everyone, kept one of each when run again," \
    "left a running install alone, and the uninstaller took out what it put in"
