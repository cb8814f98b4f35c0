#!/usr/bin/env bash
# Set up, build and run the whole test suite: the source and packaging checks, a plain build, the fuzz
# targets, then the same tests under AddressSanitizer and UndefinedBehaviorSanitizer. It ends with
# CTest's summary.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh test
export QT_QPA_PLATFORM=offscreen

# Format and include direction, before any build time is spent.
scripts/check-source.sh

# The desktop file, metainfo and MIME type, then the Debian package from a Release build (build/package).
scripts/check-package.sh

cmake -S . -B build/debug -G Ninja -DCMAKE_BUILD_TYPE=Debug
cmake --build build/debug -j2
(cd build/debug && ctest --output-on-failure -j2)

# The fuzz targets, each for a bounded number of runs; any finding fails.
scripts/fuzz.sh

cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSTACKER_SANITIZE=ON -DSTACKER_BENCH=OFF
cmake --build build/sanitize -j2
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build/sanitize && ctest --output-on-failure -j2)
