#!/usr/bin/env bash
# Unpacks the Debian packages in DIR into a scratch root (dpkg -x) and uses them from there:
# the batch program prints the sample mailing, every manual page renders, the desktop entry and
# AppStream metadata validate, a CMake host and a pkg-config host build and run against
# libmailpiece-dev, and the Designer plugin resolves every symbol against the packaged library.
# The unpacked tree is no installation: LD_LIBRARY_PATH and MAILPIECE_SYSTEM_DIR stand in for
# /usr. Arguments: the directory of the .deb files, a scratch directory.
set -euo pipefail
debs=$(realpath "$1")
scratch=$(realpath -m "$2")
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$scratch"
mkdir -p "$scratch/root"
for deb in "$debs"/*.deb; do dpkg-deb -x "$deb" "$scratch/root"; done
usr=$scratch/root/usr
lib=$(dirname "$(find "$usr/lib" -name 'libmailpiece.so.0' | head -n 1)")
export LD_LIBRARY_PATH=$lib MAILPIECE_SYSTEM_DIR=$usr/share/mailpiece QT_QPA_PLATFORM=offscreen

"$usr/bin/mailpiece-batch" --address --pdf "$scratch/sample.pdf" \
    "$usr/share/mailpiece/examples/sample-addresses.csv" >/dev/null
pdftotext "$scratch/sample.pdf" - | grep -q "Boulder, CO 80320" ||
    { echo "the packaged batch program printed no address" >&2; exit 1; }

for program in mailpiece mailpiece-batch mailpiece-mailing mailpiece-preview; do
    page=$usr/share/man/man1/$program.1.gz
    [ -f "$page" ] || { echo "no manual page for $program" >&2; exit 1; }
    MANWIDTH=80 man -l "$page" 2>/dev/null | grep -qi "$program" ||
        { echo "the manual page of $program does not render" >&2; exit 1; }
done
desktop-file-validate "$usr/share/applications/mailpiece.desktop"
appstreamcli validate --no-net "$usr/share/metainfo/"*.metainfo.xml >/dev/null

# A host of each kind against the development package.
mkdir -p "$scratch/host"
sed -n '/^<!-- host-example -->$/,/^```$/p' "$here/../../README.md" | sed '1,2d;$d' \
    > "$scratch/host/readme_example.inc"
cmake -S "$here" -B "$scratch/host" -G Ninja -DCMAKE_PREFIX_PATH="$usr" >/dev/null
cmake --build "$scratch/host" >/dev/null
"$scratch/host/readme_host" "$usr/share/mailpiece/examples/sample-addresses.csv" \
    "$scratch/cmake-host.pdf"
[ "$(pdfinfo "$scratch/cmake-host.pdf" | awk '/^Pages:/ {print $2}')" = 3 ] ||
    { echo "the CMake host did not print three sheets" >&2; exit 1; }
PKG_CONFIG_PATH=$lib/pkgconfig c++ -std=c++20 -fPIC -I"$scratch/host" -o "$scratch/pc-host" \
    "$here/readme_host.cpp" $(PKG_CONFIG_PATH=$lib/pkgconfig pkg-config --cflags --libs mailpiece)
"$scratch/pc-host" "$usr/share/mailpiece/examples/sample-addresses.csv" "$scratch/pc-host.pdf"
[ "$(pdfinfo "$scratch/pc-host.pdf" | awk '/^Pages:/ {print $2}')" = 3 ] ||
    { echo "the pkg-config host did not print three sheets" >&2; exit 1; }

# The application starts on the sample mailing and draws it.
"$usr/bin/mailpiece" --screenshots "$scratch/shots" \
    "$usr/share/mailpiece/examples/sample-addresses.csv" >/dev/null 2>&1
[ -s "$scratch/shots/label-both.png" ] ||
    { echo "the packaged application did not start on the sample mailing" >&2; exit 1; }

# Designer's plugin loads as Designer loads it, and offers both controls.
plugin=$(find "$usr/lib" -path '*/qt6/plugins/designer/libmailpiece_designer.so')
[ -n "$plugin" ] || { echo "the Designer plugin is not packaged" >&2; exit 1; }
cat > "$scratch/load.cpp" <<'CPP'
#include <QApplication>
#include <QPluginLoader>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <cstdio>
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QPluginLoader loader(QString::fromLocal8Bit(argv[1]));
    auto* widgets = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
    if (widgets == nullptr) {
        std::fprintf(stderr, "%s\n", qPrintable(loader.errorString()));
        return 1;
    }
    for (auto* widget : widgets->customWidgets())
        std::printf("%s\n", qPrintable(widget->name()));
    return 0;
}
CPP
c++ -std=c++20 -fPIC -o "$scratch/load" "$scratch/load.cpp" \
    $(pkg-config --cflags --libs Qt6Widgets Qt6UiPlugin)
"$scratch/load" "$plugin" | grep -q "TavMail" ||
    { echo "the Designer plugin does not load" >&2; exit 1; }
echo "the packages work"
