#!/usr/bin/env bash
# Builds the demo host and saves screenshots of the label control in its three views, the
# dialogs, the envelopes page and the piece property page to docs/images/ (the pictures the
# README shows).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMAILPIECE_WARNINGS_AS_ERRORS=ON
cmake --build build --target mailpiece-demo
# Settings of their own, so the user's are neither used nor changed.
settings=$(mktemp -d)
trap 'rm -rf "$settings"' EXIT
XDG_CONFIG_HOME=$settings QT_QPA_PLATFORM=offscreen ./build/apps/demo/mailpiece \
    --screenshots docs/images data/sample-addresses.csv
# A roll label as the label printer gets it: the sample's eighth label, turned on its paper.
cmake --build build --target mailpiece-batch
./build/apps/batch/mailpiece-batch --address --piece "Dymo 99010" --from 8 --to 8 \
    --pdf "$settings/roll.pdf" data/sample-addresses.csv
pdftoppm -r 150 -png -singlefile "$settings/roll.pdf" docs/images/roll-label-paper
# Labels to the post office's rules: capitals, abbreviations, sort levels and an endorsement.
./build/apps/batch/mailpiece-batch --postal-style --sort zip --endorsement-line \
    --endorsement "Return Service Requested" --piece 5163 --to 4 --pdf "$settings/postal.pdf" \
    data/sample-addresses.csv > /dev/null
pdftoppm -r 100 -png -singlefile -x 0 -y 0 -W 850 -H 420 "$settings/postal.pdf" \
    docs/images/postal-labels
