#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test and run. Idempotent: packages
# that are already installed are left alone, and apt is not touched at all when nothing is missing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config clang-format
    qt6-base-dev qt6-base-dev-tools qt6-tools-dev designer-qt6 libgl-dev libqt6opengl6-dev
    libgtest-dev libgmock-dev libbenchmark-dev valgrind time
    fonts-liberation2 poppler-utils libzint-dev libcups2-dev cups-daemon cups-client
    libqt6sql6-sqlite libqt6sql6-psql postgresql glabels-data libzip-dev
    cups-filters printer-driver-dymo
    dpkg-dev fakeroot lintian help2man desktop-file-utils appstream
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}" >&2
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
