#!/usr/bin/env bash
# Builds the benchmarks optimised and runs them; arguments go to Google Benchmark
# (for example --benchmark_filter=FindFirst).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DMAILPIECE_BUILD_TESTS=OFF
cmake --build build-release --target mailpiece_bench
QT_QPA_PLATFORM=offscreen ./build-release/bench/mailpiece_bench "$@"
