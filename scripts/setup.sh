#!/usr/bin/env bash
# Installs the Debian packages that running the program needs ("setup.sh run", the default), that
# building and testing it need as well ("setup.sh test"), or that the Windows build and its tests under
# Wine need ("setup.sh windows", from scripts/windows.sh). As root it runs apt-get; otherwise it
# prints the exact command and stops, since nothing can be installed without it.
set -euo pipefail

# Building and running: the compiler, Qt with its translation tools and translations, and a virtual X
# server for machines without a display.
PACKAGES=(cmake ninja-build g++ qt6-base-dev libgl-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
    fonts-dejavu-core xvfb xauth)
if [ "${1:-run}" = test ]; then
    # Fuzzing (clang), the source check, the real-window run, the packaging checks (groff renders the
    # manual page, python3-debian parses the copyright file), and reading the job sheet's PDF back as
    # text (poppler-utils).
    PACKAGES+=(clang libclang-rt-14-dev clang-format xdotool imagemagick desktop-file-utils appstream dpkg-dev
        groff-base python3-debian poppler-utils)
fi

if [ "${1:-run}" = windows ]; then
    # The cross compiler, packaging (zip, NSIS, dpkg-dev for Debian's Qt source), Wine, and for the
    # real window and the job sheet's text the same tools as the Linux tests.
    PACKAGES+=(g++-mingw-w64-x86-64-posix mingw-w64-tools nsis zip unzip xz-utils dpkg-dev wine wine64 xdotool
        imagemagick poppler-utils)
fi

missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages. Install them first, then run this command again:" >&2
    echo "  sudo apt-get install -y ${missing[*]}" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq "${missing[@]}"
