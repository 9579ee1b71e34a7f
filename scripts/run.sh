#!/usr/bin/env bash
# Installs what is missing and builds everything.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2
echo "Built into build/bin. The model library and its tests exist so far; the window and the command-line tool follow."
