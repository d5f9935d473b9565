#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: once normally, once
# under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh build -DVARNELO_BUILD_BENCH=OFF
(cd build && ctest --output-on-failure -j2)
scripts/build.sh build-asan -DVARNELO_SANITIZE=ON -DVARNELO_BUILD_BENCH=OFF
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    LSAN_OPTIONS=suppressions=$PWD/../tests/support/lsan.supp ctest --output-on-failure -j2)
