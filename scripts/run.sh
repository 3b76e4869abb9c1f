#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job: the sample mailing fed into a label
# control. Extra arguments name another mailing file.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMAILPIECE_WARNINGS_AS_ERRORS=ON
cmake --build build --target mailpiece-mailing
if [ $# -eq 0 ]; then
    set -- data/sample-addresses.csv
fi
./build/apps/mailing/mailpiece-mailing "$@"
