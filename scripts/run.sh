#!/usr/bin/env bash
# The main job: build if needed, then the reference host plays the bundled demo.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh
cmake --preset default >/dev/null
cmake --build --preset default
exec build/default/root/velmora-host "$@"
