#!/usr/bin/env bash
# Everything CI runs: set-up, then configure, build and test under both presets
# (their cache variables switch the tests and benchmarks on).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh --tests
for preset in default asan; do
  echo "=== preset ${preset} ==="
  cmake --preset "${preset}"
  cmake --build --preset "${preset}"
  ctest --preset "${preset}"
done
