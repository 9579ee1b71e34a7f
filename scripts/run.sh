#!/usr/bin/env bash
# Installs what is missing, builds everything and starts the program with the
# bundled sample game (the build puts it beside the executable). The first
# start, without a settings file, asks which game to use.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2
exec build/bin/velqorandis
