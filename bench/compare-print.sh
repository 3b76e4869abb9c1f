#!/usr/bin/env bash
# Counts the instructions (callgrind) of printing SHEETS sheets of 30 address labels through the
# label control and through a bare QPdfWriter program drawing the same operations, and prints
# their ratio. Usage: bash bench/compare-print.sh [SHEETS] (20 by default).
set -euo pipefail
cd "$(dirname "$0")/.."
sheets=${1:-20}
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DMAILPIECE_BUILD_TESTS=OFF > /dev/null
cmake --build build-release --target mailpiece_print_compare > /dev/null
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
declare -A count
for mode in library bare; do
    valgrind --tool=callgrind --callgrind-out-file="$out/$mode" --toggle-collect='*printJob*' \
        ./build-release/bench/mailpiece_print_compare "$mode" "$sheets" > /dev/null 2>&1
    count[$mode]=$(callgrind_annotate "$out/$mode" 2> /dev/null | awk '/PROGRAM TOTALS/ {gsub(",", "", $1); print $1}')
    echo "$mode: ${count[$mode]} instructions"
done
awk -v a="${count[library]}" -v b="${count[bare]}" 'BEGIN { printf "ratio: %.3f\n", a / b }'
