#!/usr/bin/env bash
# The plugin and the desktop host's piano roll, on a virtual display, as a
# user meets them: a Shift-click on a key of the roll's keyboard renames that
# key through the plugin's prompt and the keyboard shows the new name; a
# Control-click on the editor's grid cell 3 leaves the roll's colour selector
# on colour 3; colour 5 chosen in the roll's colour pop-up moves the editor's
# active marker to articulation 5.
#   piano_roll_scenario.sh ROOT COMPARE
# ROOT: the build's root folder; COMPARE: velmora-screen-compare.
# Starts its own virtual display; exits 77 (skipped) without xvfb-run.
set -euo pipefail
source "$(dirname "$0")/../support/on_virtual_display.sh" piano_roll_scenario 1600x1200x24 "$@"
root=$2
compare=$3
script_name=piano_roll_scenario
source "$(dirname "$0")/../support/desktop_host.sh"

# The pixels of the editor's row y from x to x + 13, as hex words.
editor_pixels() {
  xwd -id "$area" -silent >"$work/editor.xwd"
  "$compare" --row "$work/editor.xwd" "$1" | tr ' ' '\n' | tail -n +2 | sed -n "$(($2 + 1)),$(($2 + 14))p" | tr '\n' ' '
}

start_host
open_roll
open_editor
sleep 0.5

# --- a Shift-click on key 60 renames it -----------------------------------------
# A plain click first finds which key lies where: keys are 14 pixels apart.
keys=$(count_lines key)
xdotool mousemove --window "$roll" 40 250 mousedown 1
sleep 0.2
xdotool mouseup 1
wait_more key "$keys"
at_250=$(field "$(wait_line key)" key)
y60=$((250 + (at_250 - 60) * 14))
keys=$(count_lines key)
prompts=$(grep -c -F '"kind":"prompt"' "$log" || true)
xdotool mousemove --window "$roll" 40 "$y60" keydown shift mousedown 1
sleep 0.3
xdotool mouseup 1 keyup shift
wait_more key "$keys"
[ "$(field "$(wait_line key)" key)" = 60 ] || fail "the Shift-click played $(wait_line key), not key 60"
for _ in $(seq 100); do
  [ "$(grep -c -F '"kind":"prompt"' "$log" || true)" -gt "$prompts" ] && break
  sleep 0.1
done
prompt=$(wait_line dialog '"kind":"prompt"')
[ "$(text_field "$prompt" title)" = "Rename note Legato C3" ] || fail "the rename prompt: $prompt"
dialog=$(xdotool search --sync --name '^Rename note Legato C3$' | head -n 1)
names=$(count_lines names)
xdotool windowfocus --sync "$dialog" key --clearmodifiers ctrl+a
xdotool type --delay 30 "Sul G"
xdotool key Return
wait_more names "$names"
[ "$(text_field "$(wait_line names)" 60)" = "Sul G" ] || fail "the keyboard does not show the new name: $(wait_line names)"

# --- a Control-click on grid cell 3 picks colour 3 in the roll ------------------
colours_chosen=$(count_lines colour)
# Control stays held a while after the click, as a user's hand holds it.
xdotool mousemove --window "$area" 105 29 keydown ctrl click 1
sleep 0.5
xdotool keyup ctrl
wait_more colour "$colours_chosen"
[ "$(field "$(wait_line colour)" colour)" = 3 ] || fail "the roll's selector is on $(wait_line colour), not colour 3"

# --- colour 5 chosen in the pop-up moves the editor's marker -------------------
# The marker of grid cell c is 14 pixels wide at (15 + 28c, 36); row 42 crosses it.
xdotool mousemove --window "$area" 120 200   # off the grid: no hover
sleep 0.3
marker5_before=$(editor_pixels 42 155)
popups=$(count_lines popup)
xdotool mousemove --window "$roll" 28 50 click 1
wait_more popup "$popups"
popup=$(field "$(wait_line popup)" window)
sleep 0.5   # idle calls meanwhile: the plugin recognises the pop-up
# Colour 5 on a host that lists its colours: two columns of eight, 112 x 20 each.
xdotool mousemove --window "$popup" 57 114 click 1
for _ in $(seq 30); do
  sleep 0.1
  marker5_after=$(editor_pixels 42 155)
  [ "$marker5_after" != "$marker5_before" ] && break
done
[ "$(field "$(wait_line colour)" colour)" = 5 ] || fail "the pop-up chose $(wait_line colour), not colour 5"
[ "$marker5_after" != "$marker5_before" ] || fail "articulation 5's marker did not light up"
stop_host
echo "piano_roll_scenario: every step passed"
