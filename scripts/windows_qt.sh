#!/usr/bin/env bash
# Builds the static Qt for Windows (MinGW-w64) that the Windows build links,
# from Debian's source of the host's own Qt, into a cache folder outside the
# checkout; prints that folder. A cache whose version and options match is reused.
set -euo pipefail
cd "$(dirname "$0")/.."

version=$(dpkg-query -W -f='${source:Version}' libqt6core6)
upstream=${version%%+*}
options=(
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DFEATURE_static_runtime=ON
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DFEATURE_optimize_size=ON
    "-DCMAKE_CXX_FLAGS=-ffunction-sections -fdata-sections"
    "-DCMAKE_C_FLAGS=-ffunction-sections -fdata-sections"
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_xml=OFF
    -DFEATURE_concurrent=OFF -DFEATURE_printsupport=OFF -DFEATURE_opengl=OFF
    -DINPUT_opengl=no -DFEATURE_vulkan=OFF -DFEATURE_icu=OFF -DFEATURE_sql=OFF
    -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_imageformatplugin=OFF
    # Debian's source lacks the tablet header, and the Windows plugin of this
    # version does not compile with OpenGL off unless dynamic GL is off too.
    -DFEATURE_tabletevent=OFF -DFEATURE_dynamicgl=OFF
    # What the program does not use: the graphics view, the widgets, dialogs and
    # styles beyond its labels, line edits, buttons, menus and scroll areas, and the
    # documents' writers and readers. (Direct2D stays: without it the Windows plugin
    # of this version misses its DirectWrite font database.)
    -DFEATURE_graphicsview=OFF -DFEATURE_mdiarea=OFF
    -DFEATURE_calendarwidget=OFF -DFEATURE_datetimeedit=OFF -DFEATURE_wizard=OFF
    -DFEATURE_colordialog=OFF -DFEATURE_fontdialog=OFF -DFEATURE_filedialog=OFF
    -DFEATURE_dockwidget=OFF -DFEATURE_treewidget=OFF -DFEATURE_tablewidget=OFF
    -DFEATURE_listwidget=OFF -DFEATURE_columnview=OFF -DFEATURE_undocommand=OFF
    -DFEATURE_toolbox=OFF -DFEATURE_splashscreen=OFF -DFEATURE_lcdnumber=OFF -DFEATURE_dial=OFF
    -DFEATURE_keysequenceedit=OFF -DFEATURE_systemtrayicon=OFF -DFEATURE_fontcombobox=OFF
    -DFEATURE_style_fusion=OFF -DFEATURE_style_stylesheet=OFF
    -DFEATURE_pdf=OFF -DFEATURE_textodfwriter=OFF -DFEATURE_textmarkdownreader=OFF
    -DFEATURE_textmarkdownwriter=OFF -DFEATURE_movie=OFF -DFEATURE_sessionmanager=OFF
)
stamp="$version ${options[*]} $(sha256sum cmake/mingw-w64.cmake | cut -c1-16)"
cache=${LOFTYPE_CACHE:-$HOME/.cache/loftype}
prefix=$cache/qt-$upstream-mingw-static
# One build at a time: a second run waits for the first and then uses its Qt.
mkdir -p "$cache"
exec 9>"$cache/lock"
flock 9
if [ -f "$prefix/loftype-stamp" ] && [ "$(cat "$prefix/loftype-stamp")" = "$stamp" ]; then
    echo "$prefix"
    exit 0
fi

work=$cache/qt-build
rm -rf "$prefix" "$work"
mkdir -p "$work"
if ! grep -rqs '^Types: deb-src' /etc/apt/sources.list.d/loftype-src.sources; then
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
        >/etc/apt/sources.list.d/loftype-src.sources
    bash scripts/apt_update.sh
fi
. scripts/steps.sh
step "Downloading the source of Qt $version (a minute)" \
    "check the network and the deb-src entry in /etc/apt/sources.list.d/loftype-src.sources" \
    bash -c 'cd "$1" && apt-get source -qq "qt6-base=$2"' _ "$work" "$version"
source_dir=$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)

step "Configuring Qt $upstream for Windows (a minute)" \
    "the log names the option or package that Qt's configuration missed" \
    cmake -S "$source_dir" -B "$work/build" -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    "${options[@]}"
step "Building Qt $upstream for Windows into $prefix, once (some 25 minutes on two cores)" \
    "the first error is above; cmake --build $work/build goes on where it stopped" \
    cmake --build "$work/build"
cmake --install "$work/build" >/dev/null
echo "$stamp" >"$prefix/loftype-stamp"
rm -rf "$work"
echo "$prefix"
