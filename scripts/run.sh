#!/usr/bin/env bash
# The main job: build if needed, then the reference host plays the bundled demo.
# Installs and builds only what playing needs: no tests, no benchmarks.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh
cmake --preset default -DVELMORA_TESTS=OFF -DVELMORA_BENCH=OFF >/dev/null
cmake --build --preset default --target velmora-host velmora_plugin velmora_importer \
  velmora_examples velmora_demo_instrument velmora_icon_template velmora_html
exec build/default/root/velmora-host "$@"
