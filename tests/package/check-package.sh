#!/usr/bin/env bash
# Installs the built library into a staging prefix, builds tests/package against it with CMake
# (a host with a Designer form, and the README's host code) and the README's host again with
# pkg-config, runs them and an installed program, and checks that the Designer plugin was
# installed with it. Nothing is found through LD_LIBRARY_PATH: the installed
# files must find the library themselves.
# Arguments: the project's build directory, a scratch directory.
set -euo pipefail
build=$1
scratch=$2
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$scratch"
cmake --install "$build" --prefix "$scratch/stage" >/dev/null
# The README's host code, as the README shows it.
mkdir -p "$scratch/build"
sed -n '/^<!-- host-example -->$/,/^```$/p' "$here/../../README.md" | sed '1,2d;$d' \
    > "$scratch/build/readme_example.inc"
grep -q printLabels "$scratch/build/readme_example.inc" ||
    { echo "README.md has no host example" >&2; exit 1; }
cmake -S "$here" -B "$scratch/build" -G Ninja -DCMAKE_PREFIX_PATH="$scratch/stage" >/dev/null
cmake --build "$scratch/build" >/dev/null
# Only the host's face is installed: no private control or machinery.
for private in tav_port.h tav_item.h tav_piece.h tav_barcode.h piece_store.h tav_label_p.h tav_mail_p.h \
    units.h; do
    [ ! -e "$scratch/stage/include/mailpiece/$private" ] ||
        { echo "the private header $private was installed" >&2; exit 1; }
done
find "$scratch/stage" -path '*/plugins/designer/libmailpiece_designer.so' | grep -q . ||
    { echo "the Designer plugin was not installed" >&2; exit 1; }
export MAILPIECE_SYSTEM_DIR="$scratch/stage/share/mailpiece"
"$scratch/build/host"

# The README's host prints the sample mailing: 70 labels on three sheets, no placeholder left.
"$scratch/build/readme_host" "$here/../../data/sample-addresses.csv" "$scratch/readme.pdf"
[ "$(pdfinfo "$scratch/readme.pdf" | awk '/^Pages:/ {print $2}')" = 3 ] ||
    { echo "the README's host did not print three sheets" >&2; exit 1; }
pdftotext "$scratch/readme.pdf" - | grep -q "Boulder, CO 80320" ||
    { echo "the README's host printed no address" >&2; exit 1; }
! pdftotext "$scratch/readme.pdf" - | grep -q "<<" ||
    { echo "the README's host printed a placeholder" >&2; exit 1; }
# Fed from the file by the library: the same three sheets, each address whole.
fed="$scratch/readme.pdf.fed.pdf"
[ "$(pdfinfo "$fed" | awk '/^Pages:/ {print $2}')" = 3 ] &&
    pdftotext "$fed" - | grep -q "Suite 137" && ! pdftotext "$fed" - | grep -q "<<" ||
    { echo "the README's mailing file host did not print the mailing" >&2; exit 1; }

pc=$(find "$scratch/stage" -name mailpiece.pc)
[ -n "$pc" ] || { echo "mailpiece.pc was not installed" >&2; exit 1; }
export PKG_CONFIG_PATH
PKG_CONFIG_PATH=$(dirname "$pc")
libdir=$(pkg-config --variable=libdir mailpiece)
# The same README host once more, built with pkg-config's flags alone.
# shellcheck disable=SC2046 # the flags are words
c++ "$here/readme_host.cpp" -o "$scratch/readme_host_pc" -fPIC -I"$scratch/build" \
    $(pkg-config --cflags --libs mailpiece) -Wl,-rpath,"$libdir"
"$scratch/readme_host_pc" "$here/../../data/sample-addresses.csv" "$scratch/readme_pc.pdf"
cmp -s <(pdftotext "$scratch/readme.pdf" -) <(pdftotext "$scratch/readme_pc.pdf" -) ||
    { echo "the README's host printed differently when built with pkg-config" >&2; exit 1; }

# An installed program runs from its prefix without help.
"$scratch/stage/bin/mailpiece-batch" --list-pieces > "$scratch/pieces.txt"
grep -q "5160 - Address" "$scratch/pieces.txt"
