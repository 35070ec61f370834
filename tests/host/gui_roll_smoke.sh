#!/usr/bin/env bash
# The desktop host's windows as the plugin finds them, on a virtual display:
# main window (TFruityLoopsMainForm) > workspace (TWPControl) > "Piano roll -"
# > colour window (TWPControl) under the probe points, and workspace >
# TPluginForm > TVectorSheet > the editor. The colour pop-up is a top-level
# TQuickPopupMenuWindow 164 pixels high with #9ED1A5 on its row 2; the keys
# the plugin presses there choose a colour on either kind of host; the roll
# adds, deletes and plays notes, and saving writes what it shows.
#   gui_roll_smoke.sh ROOT COMPARE   (ROOT: the build's root folder;
#   COMPARE: velmora-screen-compare)
# Exits 77 (skipped) when xvfb-run is not installed.
set -euo pipefail
source "$(dirname "$0")/../support/on_virtual_display.sh" gui_roll_smoke 1400x1000x24 "$@"
root=$2
compare=$3
script_name=gui_roll_smoke
source "$(dirname "$0")/../support/desktop_host.sh"
# What failures show besides the log: the window tree.
fail_details() { echo "--- windows" >&2; xwininfo -root -tree >&2 2>/dev/null || true; }
class_of() { xprop -id "$1" WM_CLASS 2>/dev/null | sed -n 's/.*", "\(.*\)"$/\1/p'; }
parent_of() { printf '%d' "$(xwininfo -children -id "$1" | sed -n 's/.*Parent window id: \(0x[0-9a-f]*\).*/\1/p')"; }
# Topmost first, as xwininfo lists them.
children_of() {
  xwininfo -children -id "$1" | sed -n 's/^ *\(0x[0-9a-f]*\) .*/\1/p' | while read -r w; do printf '%d\n' "$w"; done
}
# x y width height of a window: its place in its parent, and its size.
geometry_of() {
  xwininfo -id "$1" | awk -F: '/Relative upper-left X/{x=$2} /Relative upper-left Y/{y=$2} /Width/{w=$2} /Height/{h=$2}
    END {print x+0, y+0, w+0, h+0}'
}
absolute_of() { xwininfo -id "$1" | awk -F: '/Absolute upper-left X/{x=$2} /Absolute upper-left Y/{y=$2} END {print x+0, y+0}'; }
# The plugin's way to pick a colour: click the selector, then keys without a pause.
pick_colour() {
  local popups colour_lines
  popups=$(count_lines popup)
  colour_lines=$(count_lines colour)
  xdotool mousemove --window "$roll" 28 50 click 1 key --delay 0 "$@"
  wait_more popup "$popups"
  wait_more colour "$colour_lines"
}

# --- the window tree ----------------------------------------------------------
start_host
main=$main_window
[ "$(class_of "$main")" = TFruityLoopsMainForm ] || fail "main window class: $(class_of "$main")"
open_roll
container=$(parent_of "$roll")
[ "$(parent_of "$container")" = "$main" ] || fail "the roll's container is not a child of the main window"
[ "$(class_of "$container")" = TWPControl ] || fail "container class: $(class_of "$container")"
xprop -id "$roll" WM_NAME | grep -qF '= "Piano roll -"' || fail "roll WM_NAME: $(xprop -id "$roll" WM_NAME)"
xprop -id "$roll" _NET_WM_NAME | grep -qF '= "Piano roll -"' || fail "roll _NET_WM_NAME: $(xprop -id "$roll" _NET_WM_NAME)"
[ "$(parent_of "$colours")" = "$roll" ] || fail "the colour window is not a child of the roll"
[ "$(class_of "$colours")" = TWPControl ] || fail "colour window class: $(class_of "$colours")"
[ -z "$(children_of "$colours")" ] || fail "the colour window has child windows: the probe would find those"
read -r cx cy cw ch <<<"$(geometry_of "$colours")"
for probe in "28 50" "13 34"; do
  read -r px py <<<"$probe"
  [ "$px" -ge "$cx" ] && [ "$px" -lt $((cx + cw)) ] && [ "$py" -ge "$cy" ] && [ "$py" -lt $((cy + ch)) ] ||
    fail "the probe point ($probe) is not on the colour window ($cx $cy ${cw}x$ch)"
done

xdotool key --window "$main" ctrl+1 2>/dev/null
form_line=$(wait_line form '"instance":1,')
form=$(field "$form_line" window)
area=$(field "$form_line" area)
[ "$(parent_of "$form")" = "$container" ] || fail "the plugin form is not a child of the container"
[ "$(class_of "$form")" = TPluginForm ] || fail "form class: $(class_of "$form")"
[ "$(parent_of "$area")" = "$form" ] || fail "the sheet is not a child of the form"
[ "$(class_of "$area")" = TVectorSheet ] || fail "sheet class: $(class_of "$area")"
editor=$(children_of "$area" | head -n 1)
[ -n "$editor" ] || fail "the sheet holds no editor window"
read -r _ _ ew eh <<<"$(geometry_of "$editor")"
[ "$ew" = "$(field "$form_line" width)" ] && [ "$eh" = "$(field "$form_line" height)" ] ||
  fail "the sheet's first child is ${ew}x$eh, the editor ${form_line}"
echo "gui_roll_smoke: the window tree is in place"
xwininfo -children -id "$container" | sed -n '/children:/,$p'

# --- the colour pop-up and the plugin's keys ----------------------------------
popups=$(count_lines popup)
xdotool mousemove --window "$roll" 28 50 click 1
wait_more popup "$popups"
popup=$(field "$(wait_line popup)" window)
[ "$(class_of "$popup")" = TQuickPopupMenuWindow ] || fail "pop-up class: $(class_of "$popup")"
xwininfo -id "$popup" | grep -q "Override Redirect State: yes" || fail "the pop-up is not override-redirect"
[ "$(parent_of "$popup")" = "$(printf '%d' "$(xwininfo -root | sed -n 's/.*Window id: \(0x[0-9a-f]*\).*/\1/p')")" ] ||
  fail "the pop-up is not a top-level window"
read -r _ _ _ popup_height <<<"$(geometry_of "$popup")"
[ "$popup_height" -eq 164 ] || fail "the pop-up is $popup_height pixels high"
read -r rx ry <<<"$(absolute_of "$roll")"
read -r qx qy <<<"$(absolute_of "$popup")"
[ "$qx" -ge "$rx" ] && [ "$qy" -ge "$ry" ] || fail "the pop-up ($qx, $qy) is not after the roll's corner ($rx, $ry)"
xwd -id "$popup" -silent >"$work/popup.xwd"
"$compare" --row "$work/popup.xwd" 2 | tr ' ' '\n' | tail -n +2 | grep -qx 9ED1A5 ||
  fail "the pop-up's row 2 lacks #9ED1A5 after its first pixel"
colour_lines=$(count_lines colour)
xdotool key --delay 0 Home Down Down Return
wait_more colour "$colour_lines"
[ "$(field "$(wait_line colour)" colour)" = 2 ] || fail "Home, Down, Down, Enter chose $(wait_line colour)"
[ "$(field "$(wait_line names)" colour)" = 2 ] || fail "the key names were not asked for colour 2: $(wait_line names)"
sleep 0.3
[ -z "$(xdotool search --class TQuickPopupMenuWindow 2>/dev/null || true)" ] || fail "the pop-up stayed open"
# As the plugin drives it: click, Home, six times Down, Enter, all at once.
pick_colour Home Down Down Down Down Down Down Return
[ "$(field "$(wait_line colour)" colour)" = 6 ] || fail "the list host's keys chose $(wait_line colour)"

# --- notes and keys -----------------------------------------------------------
scores=$(count_lines score)
xdotool mousemove --window "$roll" 400 250 click 1
wait_more score "$scores"
added=$(field "$(wait_line score)" notes)
scores=$(count_lines score)
xdotool mousemove --window "$roll" 402 250 click 3
wait_more score "$scores"
[ "$(field "$(wait_line score)" notes)" -eq $((added - 1)) ] || fail "a right click did not delete the note it added"
scores=$(count_lines score)
xdotool mousemove --window "$roll" 402 250 click 1
wait_more score "$scores"
keys=$(count_lines key)
xdotool mousemove --window "$roll" 40 250 click 1
wait_more key "$keys"
[ "$(field "$(wait_line key)" colour)" = 6 ] || fail "a key played in another colour: $(wait_line key)"
xdotool key --window "$roll" ctrl+w 2>/dev/null
wait_line roll-closed '"instance":1' >/dev/null
# A closed roll goes to the bottom: searches by title find the shown ones first.
[ "$(children_of "$container" | tail -n 1)" = "$roll" ] || fail "the closed roll is not at the bottom of the container's windows"
xdotool windowfocus --sync "$main" key --clearmodifiers ctrl+s
wait_line saved >/dev/null
stop_host
# One note more than the demo's 16, and the only one of colour 6.
[ "$(grep -c '"type": "note"' "$work/demo/session.json")" -eq 17 ] &&
  [ "$(grep -c '"colour": 6' "$work/demo/session.json")" -eq 1 ] ||
  fail "the saved session does not hold the roll's notes: $(grep -c '"type": "note"' "$work/demo/session.json") notes"

# --- a host before 12000000 ---------------------------------------------------
start_host --host-version 11000000
main=$main_window
open_roll
# Colour 6 on a grid of four: Down once, Right twice.
pick_colour Home Down Right Right Return
[ "$(field "$(wait_line colour)" colour)" = 6 ] || fail "the grid host's keys chose $(wait_line colour)"
stop_host
echo "gui_roll_smoke: passed"
