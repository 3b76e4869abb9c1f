#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in an optimised build, once in a
# build with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMAILPIECE_WARNINGS_AS_ERRORS=ON
cmake --build build
ctest --test-dir build --output-on-failure -j "$(nproc)" --timeout 300

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMAILPIECE_SANITIZE=ON \
    -DMAILPIECE_BUILD_BENCHMARKS=OFF -DMAILPIECE_WARNINGS_AS_ERRORS=ON
cmake --build build-sanitize
ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-sanitize --output-on-failure -j "$(nproc)" --timeout 600 --label-exclude package

# The Debian packages, built and checked (lintian, unpacked use, apt resolution).
bash scripts/package.sh
