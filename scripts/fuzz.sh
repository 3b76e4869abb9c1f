#!/usr/bin/env bash
# Builds the profile reader's libFuzzer target with clang (AddressSanitizer on) and runs it for
# the given number of seconds (60 by default) on a corpus seeded with the shipped catalogue.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
out=build-fuzz
mkdir -p "$out/corpus"
cp data/vardo.cfg "$out/corpus/"
# The sources are compiled straight in, without the library's generated export header.
printf '#pragma once\n#define MAILPIECE_EXPORT\n' > "$out/mailpiece_export.h"
flags=$(pkg-config --cflags --libs Qt6Core)
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fPIC \
    -Isrc/platform -Isrc/catalog -I"$out" \
    fuzz/profile_fuzzer.cpp src/catalog/ini_lib.cpp src/catalog/str_lib.cpp \
    src/platform/tav_error.cpp src/platform/units.cpp $flags -o "$out/profile_fuzzer"
"$out/profile_fuzzer" -max_total_time="$seconds" -max_len=8192 "$out/corpus"
