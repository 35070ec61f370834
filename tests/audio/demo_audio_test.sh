#!/usr/bin/env bash
# scripts/demo-audio.sh renders the GM strings demo offline; the checker reads
# the WAV against the session. Skips (77) only when the script says fluidsynth
# or the soundfont is missing (its status 3).
#   demo_audio_test.sh SOURCE_DIR VELMORA_HOST CHECKER OUT_DIR
set -uo pipefail
source_dir=$1 host=$2 checker=$3 out=$4
rm -rf "$out"
"$source_dir/scripts/demo-audio.sh" --out "$out" --host "$host"
status=$?
if [ "$status" -eq 3 ]; then
  echo "skipped: the demo cannot be rendered here (see above)"
  exit 77
fi
[ "$status" -eq 0 ] || { echo "scripts/demo-audio.sh failed with status $status"; exit 1; }
exec "$checker" "$source_dir/examples/gm-strings/session.json" "$out/gm-strings.wav"
