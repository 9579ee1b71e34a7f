#!/usr/bin/env bash
# Builds the fuzz targets and runs each for the given number of seconds
# (default 20), starting from the project's seed corpus. Fails on any crash,
# leak, timeout or excessive memory. Usage: scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
shift || true
./scripts/install-deps.sh
cmake --preset fuzz > /dev/null
cmake --build --preset fuzz
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=($(ls fuzz/corpus))
fi
mkdir -p build-fuzz/artifacts
for target in "${targets[@]}"; do
  corpus=build-fuzz/corpus/$target
  mkdir -p "$corpus"
  echo "== $target: $seconds s"
  # grep hides libFuzzer's own output; its exit status is what counts (taken
  # before anything else runs, as pipefail fails the whole pipeline with it).
  status=0
  "build-fuzz/bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
    -print_final_stats=1 -artifact_prefix="build-fuzz/artifacts/$target-" "$corpus" "fuzz/corpus/$target" 2>&1 |
    grep -E '^(==|#[0-9]+ +DONE|stat::number_of_executed_units|SUMMARY|ERROR|Test unit written)' ||
    status=${PIPESTATUS[0]}
  [ "$status" -eq 0 ] || { echo "$target found a fault; see build-fuzz/artifacts"; exit 1; }
done
