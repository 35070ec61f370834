#!/usr/bin/env bash
# Builds the fuzz targets (clang, ASan + UBSan) and runs one for a number of
# seconds on seeds written by the seed programs or kept in fuzz/*_seeds.
#   scripts/fuzz.sh TARGET [SECONDS]
# TARGET: articulation_files_fuzz, http_request_fuzz, nki_fuzz, nki_import_fuzz, state_restore_fuzz
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:?usage: scripts/fuzz.sh TARGET [SECONDS]}
seconds=${2:-60}
scripts/bootstrap.sh >/dev/null
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

build=build/fuzz
seeds="$build/seeds/$target"
corpus="$build/corpus/$target"
mkdir -p "$seeds" "$corpus"
case "$target" in
  nki_fuzz) "$build/fuzz/nki_seed_writer" "$seeds" >/dev/null ;;
  nki_import_fuzz) "$build/fuzz/nki_import_seed_writer" "$seeds" >/dev/null ;;
  state_restore_fuzz) "$build/fuzz/state_restore_seeds" "$seeds" >/dev/null ;;
  http_request_fuzz) cp fuzz/http_request_seeds/* "$seeds/" ;;
  articulation_files_fuzz) cp fuzz/articulation_files_seeds/* "$seeds/" ;;
  *) echo "unknown fuzz target $target" >&2; exit 2 ;;
esac
exec "$build/fuzz/$target" "$corpus" "$seeds" -max_total_time="$seconds" -malloc_limit_mb=512 -rss_limit_mb=2048 -close_fd_mask=1
