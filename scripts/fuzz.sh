#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer (AddressSanitizer and UndefinedBehaviorSanitizer
# on) and runs each for the given number of seconds (60 by default), starting from its corpus
# under fuzz/corpus. Findings (crash-*, leak-*, timeout-* files) are left in build-fuzz/findings.
# Names after the seconds run only those targets: bash scripts/fuzz.sh 600 csv design
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(profile csv vcard workbook piece_store design catalogue)

bash scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DMAILPIECE_FUZZ=ON -DMAILPIECE_BUILD_TESTS=OFF -DMAILPIECE_BUILD_BENCHMARKS=OFF \
    -DMAILPIECE_BUILD_DESIGNER_PLUGIN=OFF > /dev/null
cmake --build build-fuzz --target "${targets[@]/#/fuzz_}"

mkdir -p build-fuzz/findings
status=0
for target in "${targets[@]}"; do
    # The search grows a working copy; fuzz/corpus keeps the seeds that CTest replays.
    work=build-fuzz/corpus/$target
    mkdir -p "$work"
    cp -n fuzz/corpus/"$target"/* "$work"/
    echo "== $target: $seconds s"
    ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$PWD/fuzz/lsan.supp \
        UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        build-fuzz/fuzz/fuzz_"$target" -max_total_time="$seconds" -max_len=16384 -timeout=20 \
        -print_final_stats=1 -artifact_prefix=build-fuzz/findings/"$target"- "$work" \
        2> build-fuzz/"$target".log || status=1
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)' \
        build-fuzz/"$target".log || true
    grep -E 'ERROR|SUMMARY' build-fuzz/"$target".log || echo "no findings"
done
exit $status
