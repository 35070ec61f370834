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
source "$(dirname "$0")/../support/on_virtual_display.sh" gui_scenario 1600x1200x24 "$@"
root=$2
compare=$3
out=$4
mkdir -p "$out"
script_name=gui_scenario
source "$(dirname "$0")/../support/desktop_host.sh"

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
sleep 0.5
before=$(first_articulation)
[[ "$before" == *'"name": "Legato",'*'"note": 24,'* ]] || fail "unexpected first articulation: $before"

click_editor 28 207                     # the Articulation tab
drag_up_80 80 145                       # the keyswitch field
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
sleep 0.5
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
