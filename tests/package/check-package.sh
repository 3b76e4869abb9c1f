#!/usr/bin/env bash
# Installs the built library into a staging prefix, builds tests/package against it, runs it,
# and checks that the Designer plugin was installed with it.
# Arguments: the project's build directory, a scratch directory.
set -euo pipefail
build=$1
scratch=$2
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$scratch"
cmake --install "$build" --prefix "$scratch/stage" >/dev/null
cmake -S "$here" -B "$scratch/build" -G Ninja -DCMAKE_PREFIX_PATH="$scratch/stage" >/dev/null
cmake --build "$scratch/build" >/dev/null
find "$scratch/stage" -path '*/plugins/designer/libmailpiece_designer.so' | grep -q . ||
    { echo "the Designer plugin was not installed" >&2; exit 1; }
MAILPIECE_SYSTEM_DIR="$scratch/stage/share/mailpiece" \
    LD_LIBRARY_PATH="$scratch/stage/lib:${LD_LIBRARY_PATH:-}" "$scratch/build/host"
