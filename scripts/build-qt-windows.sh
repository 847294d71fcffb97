#!/usr/bin/env bash
# Qt for 64-bit Windows as DLLs (Core, Gui, Widgets; the windows, offscreen and minimal
# platform plugins), built from Debian's own source package of the Qt installed here, with
# MinGW-w64, into a cache folder that the Windows builds use.
#
# Usage: scripts/build-qt-windows.sh [--from-source] [--with-tests]
#   (no option)    unpacks the prebuilt Qt of ../shared/qt-windows/ (or the archive named by
#                  KVARNET_QT_WINDOWS_ARCHIVE) when there is one, else builds it from source
#   --from-source  builds it from source even then: about 2 600 s of CPU, half an hour on two
#                  idle cores
#   --with-tests   adds what the tests need: QtTest, built from the same source against this
#                  Qt, and GoogleTest (about a minute)
# Prints the folder on its last line; everything else goes to stderr. The cache is
# $KVARNET_CACHE, by default ~/.cache/kvarnet; what is there already is used again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exec 3>&1 1>&2

from_source=0 with_tests=0
for arg in "$@"; do
  case $arg in
    --from-source) from_source=1 ;;
    --with-tests) with_tests=1 ;;
    *) echo "usage: $0 [--from-source] [--with-tests]"; exit 2 ;;
  esac
done

cache=${KVARNET_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kvarnet}
archive=${KVARNET_QT_WINDOWS_ARCHIVE:-$root/../shared/qt-windows/qt6.4.2-mingw-w64-shared.tar.xz}
jobs=${KVARNET_JOBS:-2}

"$root/scripts/install-deps.sh" g++-mingw-w64-x86-64-posix ninja-build qt6-base-dev-tools \
  libgtest-dev >/dev/null
# The target's Qt is the version of the host tools that build it (moc, rcc, uic).
qt_source_version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
qt_version=${qt_source_version%%+*}
prefix=$cache/qt$qt_version-mingw-w64
src=$cache/src/qt6-base-${qt_source_version%-*}
patches=$root/packaging/windows/qt-patches
toolchain=$root/cmake/mingw-w64-x86_64.cmake
host_qt=(-DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)
origin_file=$prefix/kvarnet-qt-source/origin

# Debian's source package, with the project's patches; apt-get needs a deb-src entry for it,
# made from the deb entries of Debian's own mirror when there is none.
fetch_source() {
  [ -f "$src/.kvarnet-patched" ] && return
  "$root/scripts/install-deps.sh" dpkg-dev libwine-dev >/dev/null
  rm -rf "$cache/src"
  mkdir -p "$cache/src"
  (cd "$cache/src" && "$root/scripts/apt-source.sh" "qt6-base=$qt_source_version" &&
    rm -f ./*.dsc ./*.tar.*)
  for patch in "$patches"/*.patch; do
    patch -d "$src" -p1 -s <"$patch"
  done
  touch "$src/.kvarnet-patched"
}

# What the program's licence folder says about this Qt, and the patches themselves.
describe_origin() {
  mkdir -p "$prefix/kvarnet-qt-source/patches"
  cp "$patches"/*.patch "$prefix/kvarnet-qt-source/patches/"
  cat >"$prefix/kvarnet-qt-source/SOURCE.txt" <<EOF
Qt $qt_version: Qt6Core.dll, Qt6Gui.dll, Qt6Widgets.dll and platforms/qwindows.dll.
Qt is free software under the GNU Lesser General Public License version 3 (LGPL-3.txt, which
builds on GPL-3.txt); Qt.txt lists its authors and the licences of the libraries inside it.

Its source is Debian 12's source package qt6-base, version $qt_source_version, from Debian's
archive:
    apt-get source qt6-base=$qt_source_version
with the two patches in the folder Qt-patches applied. The first lets the Windows platform
plugin use Wine's declarations of the tablet interface (Debian package libwine-dev, LGPL 2.1
or later), which Debian's source leaves out; the second lets it build without OpenGL.

It was built with MinGW-w64 (Debian package g++-mingw-w64-x86-64-posix) by CMake, in Release,
as shared libraries, with OpenGL, D-Bus, SQL, network, testlib, concurrent, print support,
XML, Vulkan, zstd, JPEG and ICU off and the bundled zlib, libpng, FreeType, HarfBuzz and PCRE2.

You may replace these DLLs with your own build of Qt $qt_version for MinGW-w64 (x86-64,
posix threads): the program loads them from its folder.
EOF
}

# The recipe of the prebuilt Qt, which this builds again from nothing.
build_qt_from_source() {
  fetch_source
  local build=$cache/qt-build
  rm -rf "$build" "$prefix"
  echo "Building Qt $qt_version for Windows from source in $build (about 2 600 s of CPU)"
  local off=() feature
  for feature in opengl dbus sql network testlib concurrent printsupport xml vulkan zstd jpeg \
    icu sql_sqlite system_zlib system_png system_freetype system_harfbuzz system_pcre2; do
    off+=("-DFEATURE_$feature=OFF")
  done
  cmake -S "$src" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON -DCMAKE_INSTALL_PREFIX="$prefix" \
    "${host_qt[@]}" -DQT_QMAKE_TARGET_MKSPEC=win32-g++ \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF "${off[@]}"
  cmake --build "$build" -j"$jobs"
  cmake --install "$build" >/dev/null
  rm -rf "$build"
  describe_origin
  echo "source $qt_source_version $(cat "$patches"/*.patch | sha256sum | cut -c1-16)" >"$origin_file"
}

unpack_prebuilt() {
  local sum
  sum=$(sha256sum "$archive" | cut -d' ' -f1)
  if [ -f "$origin_file" ] && [ "$(cat "$origin_file")" = "prebuilt $sum" ]; then return; fi
  echo "Unpacking the prebuilt Qt for Windows from $archive"
  rm -rf "$prefix" "$prefix.unpack"
  mkdir -p "$prefix.unpack"
  tar -xJf "$archive" -C "$prefix.unpack"
  mv "$prefix.unpack"/* "$prefix"
  rmdir "$prefix.unpack"
  describe_origin
  echo "prebuilt $sum" >"$origin_file"
}

if ((from_source)); then
  if ! grep -qs '^source ' "$origin_file"; then build_qt_from_source; fi
elif [ -f "$archive" ]; then
  # A Qt built here from source is as good as the prebuilt one.
  if ! grep -qs '^source ' "$origin_file"; then unpack_prebuilt; fi
elif [ ! -f "$origin_file" ]; then
  build_qt_from_source
fi

# Qt's own texts in Russian where this Qt looks for its translations; a program with the
# qt.conf of its package looks for them in its own folder instead.
mkdir -p "$prefix/translations"
cp /usr/share/qt6/translations/qtbase_ru.qm "$prefix/translations/"

# QtTest: its module alone, from the same source, built against this Qt with Qt's own build
# rules; and GoogleTest from Debian's source of it (package googletest, with libgtest-dev).
build_testlib() {
  fetch_source
  local work=$cache/qttest
  rm -rf "$work"
  mkdir -p "$work/src"
  cat >"$work/src/CMakeLists.txt" <<EOF
cmake_minimum_required(VERSION 3.16)
include("$src/.cmake.conf")
project(QtTestOnly VERSION "\${QT_REPO_MODULE_VERSION}" LANGUAGES CXX C)
find_package(Qt6 \${PROJECT_VERSION} CONFIG REQUIRED COMPONENTS BuildInternals Core Gui Widgets)
qt_build_repo_begin()
add_subdirectory("$src/src/testlib" testlib)
qt_build_repo_end()
EOF
  # Qt's header generator reads the module's folder from here.
  cat >"$work/src/sync.profile" <<EOF
%modules = ( "QtTest" => "$src/src/testlib", );
%moduleheaders = ( );
@allmoduleheadersprivate = ( );
%classnames = ( "qtest.h" => "QTest", );
%deprecatedheaders = ( );
EOF
  echo "Building QtTest for Windows"
  cmake -S "$work/src" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$prefix/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" "${host_qt[@]}" >/dev/null
  cmake --build "$work/build" -j"$jobs" >/dev/null
  cmake --install "$work/build" >/dev/null
  rm -rf "$work"
}

build_googletest() {
  local build=$cache/googletest-build
  rm -rf "$build"
  echo "Building GoogleTest for Windows"
  cmake -S /usr/src/googletest -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DKVARNET_STATIC_RUNTIME=OFF -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF \
    -DCMAKE_INSTALL_PREFIX="$prefix" >/dev/null
  cmake --build "$build" -j"$jobs" >/dev/null
  cmake --install "$build" >/dev/null
  rm -rf "$build"
}

if ((with_tests)); then
  [ -f "$prefix/bin/Qt6Test.dll" ] || build_testlib
  [ -f "$prefix/lib/cmake/GTest/GTestConfig.cmake" ] || build_googletest
fi

echo "$prefix" >&3
