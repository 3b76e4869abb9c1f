#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job: the sample mailing printed through a
# label control, then shown in the demo host when there is a display. An argument names another
# mailing file.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMAILPIECE_WARNINGS_AS_ERRORS=ON
cmake --build build --target mailpiece-mailing mailpiece-demo
if [ $# -eq 0 ]; then
    set -- data/sample-addresses.csv
fi
./build/apps/mailing/mailpiece-mailing "$@"
# With a display, the demo host shows the same mailing, to page through and print.
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    ./build/apps/demo/mailpiece "$1"
fi
