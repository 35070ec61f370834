#!/usr/bin/env bash
# Writes docs/desktop.png: the desktop host on a virtual display playing the
# demo, with the first instance's piano roll open (its keys named by the
# plugin) and its editor on the Articulation panel. Needs the test packages
# (scripts/bootstrap.sh --tests): the desktop host is built with GTK 3, and
# Xvfb, xdotool and xwd take the picture.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" != --on-display ]; then
  scripts/bootstrap.sh --tests >/dev/null
  cmake --preset default -DVELMORA_TESTS=ON >/dev/null
  cmake --build --preset default --target velmora-host velmora_plugin velmora_importer velmora_examples \
    velmora_demo_instrument velmora_icon_template velmora-screen-compare
  exec xvfb-run -a -s "-screen 0 1288x848x24" bash "$0" --on-display
fi

root=build/default/root
work=$(mktemp -d)
export XDG_CONFIG_HOME="$work/config" HOME="$work"
cp -r "$root/examples/demo" "$work/demo"
trap 'kill $host 2>/dev/null || true; rm -rf "$work"' EXIT
host=

# Key names for the first articulation (line i names note 131 - i), loaded
# through the headless editor's "Piano roll key names..." button; the first
# instance then comes from the state that holds them.
awk 'BEGIN {
  n[55] = "Lowest G"; n[60] = "Tuning C"; n[62] = "D string"; n[67] = "G string";
  n[69] = "A string"; n[74] = "Harmonic D"; n[76] = "E string"
  for (i = 0; i < 132; i++) print ((131 - i) in n ? n[131 - i] : "")
}' >"$work/strings.txt"
printf '%s\n' '{"do":"click","button":"left","x":28,"y":207}' \
  "{\"answer\":\"open\",\"path\":\"$work/strings.txt\"}" \
  '{"do":"click","button":"left","x":211,"y":113}' >"$work/names.script"
"$root/velmora-host" editor "$work/demo/session.json" --script "$work/names.script" \
  --save-state "$work/demo/instance-1.state" >/dev/null 2>&1
sed -i '0,/"articulations": "strings.zoltartic"/s//"state": "instance-1.state"/' "$work/demo/session.json"

"$root/velmora-host" gui "$work/demo/session.json" --log "$work/log.jsonl" >/dev/null 2>&1 &
host=$!
line() {
  for _ in $(seq 100); do
    grep -F "\"event\":\"$1\"" "$work/log.jsonl" 2>/dev/null | tail -n 1 | grep . && return 0
    sleep 0.1
  done
  echo "desktop_picture: the host never logged \"$1\"" >&2
  exit 1
}
main=$(line ready | sed -n 's/.*"window":\([0-9]*\).*/\1/p')
xdotool key --window "$main" ctrl+shift+1 2>/dev/null  # instance 1's piano roll
line names >/dev/null
xdotool key --window "$main" ctrl+1 2>/dev/null        # instance 1's editor
area=$(line form | sed -n 's/.*"area":\([0-9]*\).*/\1/p')
sleep 0.5
xdotool mousemove --window "$area" 28 207 click 1  # the Articulation tab
xdotool mousemove --window "$area" 80 145          # resting on the keyswitch: its hint shows
xdotool key --window "$main" space 2>/dev/null     # play: the roll's playhead half way
sleep 2.6
xwd -root -silent >"$work/screen.xwd"
build/default/tests/desktop/velmora-screen-compare --to-png "$work/screen.xwd" docs/desktop.png
echo "wrote docs/desktop.png"
