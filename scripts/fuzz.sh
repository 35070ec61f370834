#!/usr/bin/env bash
# Builds one fuzz target (clang, ASan + UBSan) with its seed corpus, written
# by its seed program or copied from fuzz/*_seeds, and runs it for a number
# of seconds. New inputs collect in build/fuzz/corpus/TARGET.
#   scripts/fuzz.sh TARGET [SECONDS]
# TARGET: articulation_files_fuzz, bmp_fuzz, http_request_fuzz, nki_fuzz, nki_import_fuzz,
#         state_restore_fuzz
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:?usage: scripts/fuzz.sh TARGET [SECONDS]}
seconds=${2:-60}
scripts/bootstrap.sh --tests >/dev/null
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "$target"

build=build/fuzz
corpus="$build/corpus/$target"
mkdir -p "$corpus"
# The first report of either sanitizer ends the run and leaves its input as a
# crash file; options already in the environment come last and win.
export ASAN_OPTIONS="halt_on_error=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
exec "$build/fuzz/$target" "$corpus" "$build/fuzz/seeds/$target" \
  -max_total_time="$seconds" -malloc_limit_mb=512 -rss_limit_mb=2048 -close_fd_mask=1
