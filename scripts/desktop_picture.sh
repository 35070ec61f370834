#!/usr/bin/env bash
# Writes docs/desktop.png: the desktop host on a virtual display with the demo
# played once through and the first instance's editor open on its
# Articulation panel. Needs the test packages (scripts/bootstrap.sh --tests):
# the desktop host is built with GTK 3, and Xvfb, xdotool and xwd take the picture.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" != --on-display ]; then
  scripts/bootstrap.sh --tests >/dev/null
  cmake --preset default -DVELMORA_TESTS=ON >/dev/null
  cmake --build --preset default --target velmora-host velmora_plugin velmora_importer velmora_examples \
    velmora_demo_instrument velmora_icon_template velmora-screen-compare
  exec xvfb-run -a -s "-screen 0 1040x600x24" bash "$0" --on-display
fi

root=build/default/root
work=$(mktemp -d)
export XDG_CONFIG_HOME="$work/config" HOME="$work"
cp -r "$root/examples/demo" "$work/demo"
"$root/velmora-host" gui "$work/demo/session.json" --log "$work/log.jsonl" >/dev/null 2>&1 &
host=$!
trap 'kill $host 2>/dev/null || true; rm -rf "$work"' EXIT
line() {
  for _ in $(seq 100); do
    grep -F "\"event\":\"$1\"" "$work/log.jsonl" 2>/dev/null | tail -n 1 | grep . && return 0
    sleep 0.1
  done
  echo "desktop_picture: the host never logged \"$1\"" >&2
  exit 1
}
main=$(line ready | sed -n 's/.*"window":\([0-9]*\).*/\1/p')
xdotool windowfocus --sync "$main" key space   # play the score once through
sleep 3
xdotool windowfocus --sync "$main" key ctrl+1  # instance 1's editor
area=$(line form | sed -n 's/.*"area":\([0-9]*\).*/\1/p')
sleep 0.5
xdotool mousemove --window "$area" 28 207 click 1  # the Articulation tab
xdotool mousemove --window "$area" 80 145          # resting on the keyswitch: its hint shows
sleep 0.5
xwd -root -silent >"$work/screen.xwd"
build/default/tests/desktop/velmora-screen-compare --to-png "$work/screen.xwd" docs/desktop.png
echo "wrote docs/desktop.png"
