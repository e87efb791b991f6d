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
(cd "$work" && apt-get source -qq "qt6-base=$version" >/dev/null 2>&1)
source_dir=$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)

echo "Building Qt $upstream for Windows into $prefix (about half an hour on two cores) ..." >&2
cmake -S "$source_dir" -B "$work/build" -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    "${options[@]}" >"$work/configure.log" 2>&1 || { tail -n 40 "$work/configure.log" >&2; exit 1; }
cmake --build "$work/build" >"$work/build.log" 2>&1 || { grep -m 20 -B 5 'error' "$work/build.log" >&2; exit 1; }
cmake --install "$work/build" >/dev/null
echo "$stamp" >"$prefix/loftype-stamp"
rm -rf "$work"
echo "$prefix"
