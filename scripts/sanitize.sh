#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and
# runs every test in that build, the window's soak test for a minute.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake --preset sanitize > /dev/null
cmake --build --preset sanitize
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp VELQORANDIS_SOAK_SECONDS=${VELQORANDIS_SOAK_SECONDS:-60} \
  ctest --preset sanitize
