#!/usr/bin/env bash
# Counts the instructions (callgrind) of the whole mailpiece-batch process printing LABELS
# address labels (30-up "5160 - Address", three lines at 10 pt and POSTNET, one PDF) and of a
# bare QPdfWriter program doing the same job, and prints their ratio. With --time, it times
# RUNS interleaved runs of each instead (wall clock, the median, and the largest resident
# memory). With --start, it times RUNS runs of one sheet on a piece of the template library
# (start to first sheet, the parsed library cached from a first run).
# Usage: bash bench/compare-job.sh [LABELS] [--time RUNS | --start RUNS]  (1000 labels by default)
set -euo pipefail
cd "$(dirname "$0")/.."
labels=${1:-1000}
bash scripts/install-deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DMAILPIECE_BUILD_TESTS=OFF > /dev/null
cmake --build build-release --target mailpiece-batch mailpiece_job_floor > /dev/null
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
{
    echo "First,Last,Address,City,State,Zip"
    for ((i = 1; i <= labels; i++)); do
        echo "Pat$i,Lee,$i Elm Street,Springfield,IL,62701"
    done
} > "$out/mailing.csv"
export QT_QPA_PLATFORM=offscreen MAILPIECE_SYSTEM_DIR="$PWD/data" XDG_CONFIG_HOME="$out/config" \
    XDG_CACHE_HOME="$out/cache"
batch=(./build-release/apps/batch/mailpiece-batch --piece "5160 - Address" --address
       --font-size 10 --csv "$out/mailing.csv")
floor=(./build-release/bench/mailpiece_job_floor "$out/mailing.csv")

median() { sort -n "$1" | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
if [ "${2:-}" = "--start" ]; then
    runs=${3:-5}
    head -31 "$out/mailing.csv" > "$out/sheet.csv"
    sheet=(./build-release/apps/batch/mailpiece-batch --piece
           "Dymo 11352 - Return Address Labels 25 x 54 mm" --address --csv "$out/sheet.csv")
    "${sheet[@]}" --pdf "$out/s.pdf" > /dev/null 2>&1 # fills the cache
    TIMEFORMAT=%R
    for ((r = 0; r < runs; r++)); do
        { time "${sheet[@]}" --pdf "$out/s.pdf" > /dev/null 2>&1; } 2>> "$out/start.times"
    done
    echo "start to first sheet: $(median "$out/start.times") s (median of $runs, warm)"
    exit 0
fi
if [ "${2:-}" = "--time" ]; then
    runs=${3:-5}
    for mode in batch floor; do : > "$out/$mode.times"; done
    # Wall time in milliseconds (GNU time's own is in hundredths) and the largest resident size.
    run() {
        local log=$1 start end
        shift
        start=$(date +%s%N)
        /usr/bin/time -f %M -o "$out/memory" "$@" > /dev/null 2>&1
        end=$(date +%s%N)
        echo "$(((end - start) / 1000000)) $(cat "$out/memory")" >> "$log"
    }
    for ((r = 0; r < runs; r++)); do
        rm -f "$out/b.pdf" "$out/f.pdf"
        run "$out/batch.times" "${batch[@]}" --pdf "$out/b.pdf"
        run "$out/floor.times" "${floor[@]}" "$out/f.pdf"
    done
    b=$(median "$out/batch.times")
    f=$(median "$out/floor.times")
    echo "batch: $b ms, floor: $f ms (median of $runs)"
    echo "batch memory: $(sort -n -k2 "$out/batch.times" | tail -1 | awk '{ printf "%.1f MB", $2 / 1024 }') at most"
    awk -v a="$b" -v b="$f" 'BEGIN { printf "ratio: %.2f\n", a / b }'
    exit 0
fi

declare -A count
valgrind --tool=callgrind --callgrind-out-file="$out/batch" "${batch[@]}" --pdf "$out/b.pdf" > /dev/null 2>&1
valgrind --tool=callgrind --callgrind-out-file="$out/floor" "${floor[@]}" "$out/f.pdf" > /dev/null 2>&1
for mode in batch floor; do
    count[$mode]=$(callgrind_annotate "$out/$mode" 2> /dev/null | awk '/PROGRAM TOTALS/ {gsub(",", "", $1); print $1}')
    echo "$mode: ${count[$mode]} instructions"
done
awk -v a="${count[batch]}" -v b="${count[floor]}" 'BEGIN { printf "ratio: %.3f\n", a / b }'
