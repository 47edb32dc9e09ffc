#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks, then builds Cinabrel into build/.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(build-essential cmake pkg-config ccache qt6-base-dev qt6-translations-l10n libqt6sql6-sqlite
          libqt6svg6 libsqlite3-dev sqlite3 libxlsxwriter-dev libmediainfo-dev libzip-dev libgl1-mesa-dev
          fonts-liberation2 unzip xvfb xauth desktop-file-utils)
scripts/install-packages.sh "${packages[@]}"

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2
