#!/usr/bin/env bash
# Builds the Windows program on Debian 12 and tests it under Wine.
#
#   scripts/windows.sh          the packages, Qt for MinGW (built once into a cache), the program in
#                               build/windows/, then the portable zip and the installer
#   scripts/windows.sh test     all of that, then the unit tests, the command-line modes, the
#                               installer and a real window under Wine
#   scripts/windows.sh qt       only the cached Qt build
#
# Qt for MinGW is not packaged, so Qt 6.4.2 is built from Debian's own source, with Debian's installed
# Qt as the host tools (moc, rcc, uic). The build lands in a folder keyed on Qt's version and the
# options, outside the source tree ($STACKER_WINDOWS_CACHE, default ~/.cache/cvstacker-windows), so
# the next run takes minutes. The Linux test command stays the CI; this script is run by hand.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD
mode=${1:-build}
case "$mode" in build | test | qt) ;; *)
    echo "usage: scripts/windows.sh [build|test|qt]" >&2
    exit 2
    ;;
esac

cache=${STACKER_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/cvstacker-windows}
build=$top/build/windows
toolchain=$top/scripts/windows/mingw-toolchain.cmake
mkdir -p "$cache" "$build"

log() { printf '== %s\n' "$*" >&2; }

# --- Qt for MinGW ---------------------------------------------------------------------------------------
qt_version=6.4.2
# Only what the program and its tests use: no SQL, network, D-Bus, XML or Concurrent. OpenGL stays on
# (6.4.2's Windows platform plugin does not compile without it), and tablet events go, since Debian's
# source leaves out wintab.h.
qt_options=(-DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DQT_QMAKE_TARGET_MKSPEC=win32-g++
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_xml=OFF -DFEATURE_concurrent=OFF
    -DFEATURE_tabletevent=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_freetype=OFF -DFEATURE_system_jpeg=OFF -DFEATURE_system_png=OFF)
qt_key=$(printf '%s\n' "$qt_version" "${qt_options[@]}" "$(sha256sum "$toolchain" | cut -c1-16)" | sha256sum | cut -c1-12)
qt_prefix=$cache/qt-$qt_version-mingw-$qt_key

build_qt() {
    if [ -f "$qt_prefix/.complete" ]; then
        log "Qt $qt_version for MinGW: cached in $qt_prefix"
        return 0
    fi
    local src=$cache/src
    mkdir -p "$src"
    if ! ls "$src"/qt6-base_"$qt_version"*.orig.tar.xz >/dev/null 2>&1; then
        log "Fetching Debian's source of qt6-base"
        # apt-get source needs deb-src entries for the machine's own suites.
        if ! apt-get indextargets --format '$(CREATED_BY)' 2>/dev/null | grep -q '^Sources$'; then
            [ "$(id -u)" -eq 0 ] || {
                echo "Add deb-src entries for the machine's suites (as root), then run this again." >&2
                exit 1
            }
            sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
                >/etc/apt/sources.list.d/cvstacker-deb-src.sources
            apt-get update -qq
        fi
        (cd "$src" && apt-get source --download-only "qt6-base=$qt_version*")
    fi
    local tree=$cache/qtbase-$qt_version
    if [ ! -f "$tree/CMakeLists.txt" ]; then
        log "Unpacking Qt's source"
        rm -rf "$tree" && mkdir -p "$tree"
        tar -xf "$src"/qt6-base_"$qt_version"*.orig.tar.xz -C "$tree" --strip-components=1
    fi
    log "Building Qt $qt_version for MinGW (the first time takes about an hour on 2 cores)"
    local qtbuild=$cache/qt-build-$qt_key
    cmake -S "$tree" -B "$qtbuild" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_INSTALL_PREFIX="$qt_prefix" "${qt_options[@]}" >"$cache/qt-configure.log"
    cmake --build "$qtbuild" -j2
    cmake --install "$qtbuild" >/dev/null
    touch "$qt_prefix/.complete"
    rm -rf "$qtbuild"
}

scripts/setup.sh windows
build_qt
# Qt's own Spanish (its buttons and dialogs) is not in qtbase's source; Debian's translations of the
# same Qt version go where the Windows Qt looks for them, for the tests and the portable copy alike.
mkdir -p "$qt_prefix/translations"
cp /usr/share/qt6/translations/qtbase_es.qm "$qt_prefix/translations/"
[ "$mode" = qt ] && exit 0

version=$(sed -nE 's/^project\([A-Za-z]+ VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)
name=cvstacker-$version-win64
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

# --- The program ------------------------------------------------------------------------------------
# qt-cmake sets up the cross build (toolchain, find-root, host tools); LinguistTools come from Debian.
configure() { # $1 build folder, then extra options
    local dir=$1
    shift
    "$qt_prefix/bin/qt-cmake" -S "$top" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSTACKER_BENCH=OFF \
        "${launcher[@]}" "$@" >"$dir.configure.log" 2>&1 || {
        cat "$dir.configure.log" >&2
        exit 1
    }
}
log "Building the program for Windows in $build/program"
configure "$build/program" -DSTACKER_TESTS=OFF
cmake --build "$build/program" -j2

# --- The portable copy ------------------------------------------------------------------------------
mingw_runtime=(/usr/lib/gcc/x86_64-w64-mingw32/*-posix /usr/x86_64-w64-mingw32/lib)

# The DLLs a program or plugin loads, and theirs, found in Qt's bin folder and the MinGW runtime;
# the system's own (KERNEL32, USER32, ...) are left to Windows.
copy_dependencies() { # $1 a .exe or .dll, $2 the folder the DLLs go to
    local dll found dir
    for dll in $(x86_64-w64-mingw32-objdump -p "$1" | sed -nE 's/^\s*DLL Name: (.*)$/\1/p'); do
        [ -f "$2/$dll" ] && continue
        found=
        for dir in "$qt_prefix/bin" "${mingw_runtime[@]}"; do
            [ -f "$dir/$dll" ] && found=$dir/$dll && break
        done
        [ -n "$found" ] || continue
        cp "$found" "$2/"
        copy_dependencies "$found" "$2"
    done
}

stage=$build/stage/$name
log "Putting the portable copy together in $stage"
rm -rf "$build/stage" && mkdir -p "$stage/translations"
cp "$build/program/app/cvstacker.exe" "$build/program/app/cvstacker.com" "$stage/"
x86_64-w64-mingw32-strip "$stage/cvstacker.exe" "$stage/cvstacker.com"
# Qt finds its plugins in these folders beside the program: the Windows platform, the native style,
# the image formats the program reads (the icon, PNG is built in).
for plugin in platforms/qwindows styles/qwindowsvistastyle imageformats/qico imageformats/qjpeg imageformats/qgif; do
    mkdir -p "$stage/$(dirname "$plugin")"
    cp "$qt_prefix/plugins/$plugin.dll" "$stage/$plugin.dll"
    copy_dependencies "$stage/$plugin.dll" "$stage"
done
copy_dependencies "$stage/cvstacker.exe" "$stage"
# Qt's and MinGW's DLLs come with their symbols (libstdc++ alone is 23 MB); Windows never reads them.
find "$stage" -name '*.dll' -exec x86_64-w64-mingw32-strip --strip-unneeded {} +
cp "$qt_prefix/translations/qtbase_es.qm" "$stage/translations/"
printf '[Paths]\r\nPrefix = .\r\nPlugins = .\r\nTranslations = translations\r\n' >"$stage/qt.conf"
cp packaging/head_smithfaq.txt packaging/windows/cvstacker.ico "$stage/"
sed "s/@VERSION@/$version/g" packaging/windows/README.txt | sed 's/$/\r/' >"$stage/README.txt"
sed 's/$/\r/' packaging/copyright >"$stage/LICENSE.txt"

log "Writing $build/$name.zip"
rm -f "$build/$name.zip"
(cd "$build/stage" && zip -qr -X "$build/$name.zip" "$name")

# --- The installer -----------------------------------------------------------------------------------
log "Writing $build/$name-setup.exe"
files=$build/stage/uninstall-files.nsh
{
    (cd "$stage" && find . -type f | sort) | sed -E 's|^\./||; s|/|\\|g; s|.*|  Delete "$INSTDIR\\&"|'
    (cd "$stage" && find . -mindepth 1 -type d | sort -r) | sed -E 's|^\./||; s|/|\\|g; s|.*|  RMDir "$INSTDIR\\&"|'
} >"$files"
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DFILELIST="$files" -DOUTFILE="$build/$name-setup.exe" \
    packaging/windows/installer.nsi
ls -l "$build/$name.zip" "$build/$name-setup.exe" >&2

[ "$mode" = test ] || exit 0

# --- Tests --------------------------------------------------------------------------------------------
# The unit tests cross-built and run under Wine through CTest's emulator; the Linux program, built
# beside them, is what the Windows one's command-line output and saved file are compared with.
log "Building the unit tests for Windows in $build/tests"
configure "$build/tests" -DSTACKER_TESTS=ON -DCMAKE_CROSSCOMPILING_EMULATOR="$top/scripts/windows/wine-run.sh"
cmake --build "$build/tests" -j2
log "Building the Linux program to compare with in $build/linux"
cmake -S "$top" -B "$build/linux" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSTACKER_TESTS=OFF -DSTACKER_BENCH=OFF \
    "${launcher[@]}" >"$build/linux.configure.log"
cmake --build "$build/linux" -j2 --target cvstacker
exec scripts/windows/test.sh "$build" "$qt_prefix" "$name"
