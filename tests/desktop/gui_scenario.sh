#!/usr/bin/env bash
# A user at the desktop host, on a virtual display (run under xvfb-run):
# opens the first instance's editor, picks the Articulation tab, drags the
# keyswitch up by 80 pixels, renames the articulation through the prompt,
# switches an option on the General panel, compares the editor's window dump
# with the headless snapshot of the same state, closes the editor and saves
# the session; the saved state must hold every change. Then, at UI scale 2, a
# drag must move the keyswitch as far as the headless editor's same drag, with
# the pointer pinned meanwhile.
#   gui_scenario.sh ROOT COMPARE OUT
# ROOT: the build's root folder (velmora-host, the plugin, examples);
# COMPARE: velmora-screen-compare; OUT: where the screenshots are kept.
# Starts its own virtual display; exits 77 (skipped) without xvfb-run.
set -euo pipefail
if [ "${1:-}" != --on-display ]; then
  if ! command -v xvfb-run >/dev/null 2>&1; then
    echo "gui_scenario: xvfb-run is not installed; skipped"
    exit 77
  fi
  exec xvfb-run -a -s "-screen 0 1600x1200x24" bash "$0" --on-display "$@"
fi
root=$2
compare=$3
out=$4
host_bin="$root/velmora-host"
work=$(mktemp -d)
mkdir -p "$out" "$work/config" "$work/demo"
export XDG_CONFIG_HOME="$work/config" HOME="$work"
cp -r "$root/examples/demo/." "$work/demo/"
session="$work/demo/session.json"
host_pid=
cleanup() {
  if [ -n "$host_pid" ]; then kill "$host_pid" 2>/dev/null || true; wait "$host_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "gui_scenario: $*" >&2
  if [ -f "$work/log.jsonl" ]; then echo "--- host log" >&2; cat "$work/log.jsonl" >&2; fi
  if [ -f "$work/host.out" ]; then echo "--- host output" >&2; tail -n 40 "$work/host.out" >&2; fi
  exit 1
}

# The last log line of an event (optionally with one more fixed text in it),
# waited for up to 20 s.
wait_line() {
  local pattern=$1 extra=${2:-} line
  for _ in $(seq 200); do
    line=$(grep -F "\"event\":\"$pattern\"" "$work/log.jsonl" 2>/dev/null | grep -F -- "$extra" | tail -n 1 || true)
    if [ -n "$line" ]; then printf '%s\n' "$line"; return 0; fi
    kill -0 "$host_pid" 2>/dev/null || fail "the host ended while waiting for \"$pattern\""
    sleep 0.1
  done
  fail "no \"$pattern\" $extra in the host's log"
}
# A number field of a JSON line.
field() { sed -n "s/.*\"$2\":\([0-9-]*\).*/\1/p" <<<"$1"; }
count_lines() { grep -c -F "\"event\":\"$1\"" "$work/log.jsonl" 2>/dev/null || true; }

start_host() {
  : >"$work/log.jsonl"
  "$host_bin" gui "$session" --log "$work/log.jsonl" >"$work/host.out" 2>&1 &
  host_pid=$!
  ready=$(wait_line ready)
  main_window=$(field "$ready" window)
}

stop_host() {
  kill "$host_pid" 2>/dev/null || true
  wait "$host_pid" 2>/dev/null || true
  host_pid=
}

# Opens instance 1's editor with its rack button; sets form and area.
open_editor() {
  local button before
  button=$(wait_line button '"instance":1,')
  before=$(count_lines form)
  xdotool mousemove --window "$main_window" $(($(field "$button" x) + $(field "$button" width) / 2)) \
    $(($(field "$button" y) + $(field "$button" height) / 2)) click 1
  for _ in $(seq 100); do
    [ "$(count_lines form)" -gt "$before" ] && break
    sleep 0.1
  done
  local form_line
  form_line=$(wait_line form '"instance":1,')
  form=$(field "$form_line" window)
  area=$(field "$form_line" area)
  sleep 0.5
}

# A click at editor pixels (scaled by $scale), then time for the repaint.
click_editor() {
  xdotool mousemove --window "$area" $(($1 * scale)) $(($2 * scale)) click "${3:-1}"
  sleep 0.3
}

# Drags from editor pixel (x, y) upwards in ten moves of 8 screen pixels;
# checks the pointer stays pinned near the press point meanwhile.
drag_up_80() {
  local x=$(($1 * scale)) y=$(($2 * scale)) origin_x origin_y
  xdotool mousemove --window "$area" "$x" "$y" mousedown 1
  sleep 0.2
  # The sheet's place on the screen (xdotool's geometry adds a child window's
  # offset in its parent once more).
  origin_x=$(($(xwininfo -id "$area" | sed -n 's/.*Absolute upper-left X: *//p') + x))
  origin_y=$(($(xwininfo -id "$area" | sed -n 's/.*Absolute upper-left Y: *//p') + y))
  for _ in $(seq 10); do
    xdotool mousemove_relative -- 0 -8
    sleep 0.05
    eval "$(xdotool getmouselocation --shell | grep -E '^(X|Y)=')"
    if [ $((X - origin_x)) -lt -5 ] || [ $((X - origin_x)) -gt 5 ] || [ $((Y - origin_y)) -lt -10 ] ||
      [ $((Y - origin_y)) -gt 10 ]; then
      fail "the pointer left its pin during the drag: at ($X, $Y), pressed at ($origin_x, $origin_y)"
    fi
  done
  xdotool mouseup 1
  sleep 0.3
}

# A listing value of instance 1's first articulation from `inspect`.
first_articulation() {
  "$host_bin" inspect "$session" >"$work/listing.json" 2>/dev/null || fail "inspect could not read the session"
  grep -m1 '{"name":' "$work/listing.json"
}

# --- at scale 1 (the virtual display's 96 PPI) -------------------------------
scale=1
start_host
open_editor
before=$(first_articulation)
[[ "$before" == *'"name": "Legato",'*'"note": 24,'* ]] || fail "unexpected first articulation: $before"

click_editor 28 207                     # the Articulation tab
drag_up_80 80 145                       # the keyswitch field
dialogs=$(count_lines dialog)
click_editor 50 112 3                   # right click on the name field
wait_line dialog '"title":"Articulation name"' >/dev/null
dialog=$(xdotool search --sync --name '^Articulation name$' | head -n 1)
xdotool windowfocus --sync "$dialog" key --clearmodifiers ctrl+a
xdotool type --delay 30 "Legato Long"
xdotool key Return
sleep 0.5
click_editor 118 207                    # the General tab
click_editor 15 141                     # "Allow overlapping notes"
xdotool mousemove --window "$area" 118 207   # rest where the headless script rests
sleep 0.5
xwd -id "$area" -silent >"$work/editor.xwd"

# The saved session must hold every change.
xdotool key --window "$form" ctrl+w
wait_line closed '"instance":1' >/dev/null
xdotool windowfocus --sync "$main_window" key --clearmodifiers ctrl+s
wait_line saved >/dev/null
stop_host
after=$(first_articulation)
[[ "$after" == *'"name": "Legato Long",'*'"note": 34,'* ]] || fail "the saved state lost a change: $after"
grep -q '"allowoverlap": true' "$work/listing.json" || fail "the option was not saved"

# The desktop's picture is the headless one of the same state.
printf '%s\n' '{"do":"click","x":118,"y":207,"button":"left"}' "{\"do\":\"snapshot\",\"out\":\"$out/editor-headless.png\"}" \
  >"$work/general.txt"
"$host_bin" editor "$session" --ppi 96 --script "$work/general.txt" >/dev/null 2>&1 ||
  fail "the headless editor could not take its snapshot"
"$compare" "$work/editor.xwd" "$out/editor-headless.png" --png "$out/editor-desktop.png" ||
  fail "the desktop's editor differs from the headless one"

# --- at UI scale 2 -----------------------------------------------------------
# The headless editor's drag first, on a copy of the saved session: ten moves
# of 8 pixels up from the pinned press point, as the virtual pointer is put
# back after each.
scale=2
printf 'Software\\\\ZOLT\\\\ZOLT Velmora\tUI Scale\ts\t2.000000\n' >>"$work/config/ZOLT Velmora/settings.txt"
cp -r "$work/demo" "$work/headless"
{
  echo '{"do":"click","x":56,"y":414,"button":"left"}'
  echo '{"do":"press","x":160,"y":290,"button":"left"}'
  for _ in $(seq 10); do echo '{"do":"move","x":160,"y":282}'; done
  echo '{"do":"release","x":160,"y":282,"button":"left"}'
} >"$work/drag.txt"
"$host_bin" editor "$work/headless/session.json" --script "$work/drag.txt" --listing >"$work/headless.out" 2>/dev/null ||
  fail "the headless drag did not run"
headless_note=$(grep -m1 '{"name":' "$work/headless.out" | sed -n 's/.*"note": \([0-9]*\),.*/\1/p')

start_host
open_editor
[ "$(field "$(wait_line form '"instance":1,')" width)" -eq 480 ] || fail "the editor is not at scale 2"
click_editor 28 207
drag_up_80 80 145
xdotool key --window "$form" ctrl+w
wait_line closed '"instance":1' >/dev/null
xdotool windowfocus --sync "$main_window" key --clearmodifiers ctrl+s
wait_line saved >/dev/null
stop_host
desktop_note=$(first_articulation | sed -n 's/.*"note": \([0-9]*\),.*/\1/p')
echo "80 pixels up at scale 2: desktop $desktop_note, headless $headless_note"
[ "$desktop_note" = "$headless_note" ] || fail "the desktop's drag moved the keyswitch to $desktop_note, the headless one to $headless_note"
[ "$desktop_note" -eq 44 ] || fail "80 pixels up should move the keyswitch from 34 to 44, not $desktop_note"
echo "gui_scenario: every step passed"
