#!/usr/bin/env bash
# Set up, build and start the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh run
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSTACKER_TESTS=OFF -DSTACKER_BENCH=OFF
cmake --build build/release -j2
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: starting under a virtual X server (xvfb-run)." >&2
    exec xvfb-run -a build/release/app/cvstacker
fi
exec build/release/app/cvstacker
