#!/usr/bin/env bash
# Builds the demo host and saves screenshots of the label control in its three views, the
# dialogs, the envelopes page and the piece property page to docs/images/ (the pictures the
# README shows).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMAILPIECE_WARNINGS_AS_ERRORS=ON
cmake --build build --target mailpiece-demo
QT_QPA_PLATFORM=offscreen ./build/apps/demo/mailpiece-demo --screenshots docs/images \
    data/sample-addresses.csv
