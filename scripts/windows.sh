#!/usr/bin/env bash
# Builds loftype.exe and h8.exe for 64-bit Windows with MinGW-w64 against a static
# Qt, runs their tests under Wine on a virtual X display, packs the zip file and
# the installer into build-windows/, and checks the programs, the zip and the
# installer under Wine: scripts/windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${LOFTYPE_WINDOWS_DISPLAY:-}" ]; then
    # The installer is a 64-bit program too: wine64 runs everything.
    bash scripts/setup.sh g++-mingw-w64-x86-64-posix mingw-w64-tools wine64 nsis \
        zip unzip dpkg-dev imagemagick
    # The Linux build: its h8 is what h8.exe must equal.
    bash scripts/build.sh >/dev/null
    . scripts/steps.sh
    say "Finding the static Qt for Windows in the cache, or building it once (some 25 minutes)"
    qt=$(bash scripts/windows_qt.sh)
    # Everything that follows, the build included (it lists the tests by running
    # them), runs on one virtual display.
    LOFTYPE_WINDOWS_DISPLAY=1 LOFTYPE_WINDOWS_QT=$qt \
        exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi

build=$PWD/build-windows
export WINEPREFIX=$build/wineprefix WINEARCH=win64 WINEDEBUG=-all
# No offer to install Wine's .NET and web-page engines.
export WINEDLLOVERRIDES="mscoree,mshtml="

# A Wine of the project's own, where Courier New is Liberation Mono, as fontconfig
# makes it on Linux.
make_wine_prefix() {
    mkdir -p "$build"
    wineboot -i >/dev/null 2>&1
    wineserver -w
    cp /usr/share/fonts/truetype/liberation/LiberationMono-*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' /d 'Liberation Mono' /f \
        >/dev/null 2>&1
    wineserver -w # until the registry is saved
    touch "$WINEPREFIX/loftype-ready"
}
# The Wine server of an earlier run that was broken off would wait for ever.
wineserver -k 2>/dev/null || true
. scripts/steps.sh
if [ ! -f "$WINEPREFIX/loftype-ready" ]; then
    rm -rf "$WINEPREFIX"
    step "Making Wine's prefix in $WINEPREFIX (a minute)" "delete $WINEPREFIX and run this again" \
        make_wine_prefix
fi
# One Wine server for every program this run starts, ended with the run, and
# with it the window manager.
wineserver -p
# Its background programs start with the first program run; started here, they
# hold no pipe of a later one open (which would keep CTest waiting for its end).
wine cmd /c exit </dev/null >/dev/null 2>&1
openbox >/dev/null 2>&1 &
window_manager=$!
trap 'wineserver -k || true; kill "$window_manager" || true' EXIT

step "Configuring build-windows/" "delete build-windows/ and run this again" \
    cmake -S . -B "$build" -G Ninja -Wno-dev -DCMAKE_BUILD_TYPE=Release -DLOFTYPE_WERROR=ON \
    -DLOFTYPE_BENCH=OFF -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-static.cmake" \
    -DCMAKE_PREFIX_PATH="$LOFTYPE_WINDOWS_QT" -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
step "Building loftype.exe, h8.exe, their tests and the installer (about 3 min the first time; the tests are listed by running them under Wine)" \
    "the first error is above; cmake --build build-windows shows the whole build again" \
    cmake --build "$build" --target all installer
step "Packing the zip file" "cd build-windows && cpack shows what failed" bash -c 'cd "$1" && cpack' _ "$build"

# The tests, and the checks of the programs and packages under Wine: each runs,
# and the run fails at the end if any failed, naming it with its last lines.
. scripts/checks.sh
check "the tests under Wine" ctest --test-dir "$build" --output-on-failure -j2 --timeout 300
# A start that Wine broke off is made again, and said here (tests/support/under_wine.sh).
grep -h "before it printed anything" "$build/Testing/Temporary/LastTest.log" || true
h8=$PWD/build/cli/h8
# The version, as the installer's name has it from the project.
installer=$(ls "$build"/loftype-*-win64-setup.exe)
version=${installer##*/loftype-}
version=${version%-win64-setup.exe}
check "programs stand alone" bash tests/app/windows_files_test.sh "$build" "$version"
check "h8.exe equals h8" bash tests/app/windows_h8_test.sh "$build/h8.exe" "$h8"
check "loftype.exe from the keyboard" bash tests/app/windows_desktop_test.sh \
    "$build/loftype.exe" "$h8" "$PWD/docs/windows.png"
check "the installer" bash tests/app/windows_installer_test.sh \
    "$installer" "$build" "$version"
report_checks
echo "Windows build, tests and packages in build-windows/ passed"
