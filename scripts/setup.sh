#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need. As root it runs apt-get; otherwise it
# prints the exact command and stops, since nothing can be installed without it.
set -euo pipefail

PACKAGES=(cmake ninja-build g++ clang libclang-rt-14-dev qt6-base-dev libgl-dev fonts-dejavu-core xvfb xauth xdotool imagemagick)

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
