#!/usr/bin/env bash
# Writes docs/editor.png: the bundled demo's first instance editor on panels
# 0, 1 and 2 side by side, drawn at 192 PPI for a crisp picture. Builds what
# it needs first, as scripts/run.sh does.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh
cmake --preset default -DVELMORA_TESTS=OFF -DVELMORA_BENCH=OFF >/dev/null
cmake --build --preset default --target velmora-host velmora_plugin velmora_importer \
  velmora_examples velmora_demo_instrument velmora_icon_template velmora_html velmora-png-join

root=build/default/root
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Panels are switched by the tab buttons: tab t is the 45x45 button at editor
# units (6 + 45t, 185). At 192 PPI an editor unit is two window pixels, so
# tab t's middle is at (2 * (28 + 45t), 2 * 207).
scale=2
for tab in 0 1 2; do
  printf '{"do":"click","button":"left","x":%d,"y":%d}\n' $((scale * (28 + 45 * tab))) $((scale * 207))
  printf '{"do":"snapshot","out":"%s/panel%d.png"}\n' "$work" "$tab"
done >"$work/script.jsonl"

# An empty settings folder: a "UI Scale" of the user's would change the scale.
if ! XDG_CONFIG_HOME="$work/config" "$root/velmora-host" editor "$root/examples/demo/session.json" --instance 1 --ppi 192 \
     --script "$work/script.jsonl" >"$work/calls.jsonl"; then
  cat "$work/calls.jsonl" >&2
  exit 1
fi
build/default/tools/velmora-png-join docs/editor.png "$work/panel0.png" "$work/panel1.png" "$work/panel2.png"
echo "wrote docs/editor.png"
