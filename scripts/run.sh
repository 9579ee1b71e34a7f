#!/usr/bin/env bash
# Installs what is missing, builds everything and shows the sample game
# through the command-line tool (the window comes later).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2
cli=build/bin/velqorandis-cli
game=build/bin/Plugin/sample.ini
"$cli" catalogue build/bin/Plugin
"$cli" cards "$game" | head -n 21
echo "(220 cards in all: try '$cli --help')"
