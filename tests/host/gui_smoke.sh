#!/usr/bin/env bash
# The desktop host in brief, on a virtual display: it starts with the demo
# session and tells its screen's density to the settings, opens instance 1's
# form from the rack's button, closes it with Ctrl+W and quits with Ctrl+Q.
#   gui_smoke.sh ROOT    (ROOT: the build's root folder)
# Exits 77 (skipped) when xvfb-run is not installed.
set -euo pipefail
source "$(dirname "$0")/../support/on_virtual_display.sh" gui_smoke 1280x1024x24 "$@"
root=$2
script_name=gui_smoke
source "$(dirname "$0")/../support/desktop_host.sh"

start_host
main=$main_window
grep -qF "Main PPI	s	96" "$XDG_CONFIG_HOME/ZOLT Velmora/settings.txt" ||
  fail "the host did not write the virtual display's 96 PPI as its Main PPI"
[ "$(xdotool getwindowname "$main")" = "Velmora Host — session.json" ] || fail "main window title: $(xdotool getwindowname "$main")"

open_editor
[ "$(field "$form_line" width)" -gt 0 ] && [ "$(field "$form_line" height)" -gt 0 ] || fail "an empty form: $form_line"
[ "$(xdotool getwindowname "$form")" = "ZOLT Velmora" ] || fail "form title: $(xdotool getwindowname "$form")"

xdotool key --window "$form" ctrl+w
wait_line closed '"instance":1' >/dev/null
# The host is gone by the key's release, which then finds no window.
xdotool key --window "$main" ctrl+q 2>/dev/null || true
for _ in $(seq 100); do kill -0 "$host_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$host_pid" 2>/dev/null && fail "the host did not quit on Ctrl+Q"
status=0
wait "$host_pid" || status=$?
host_pid=
[ "$status" -eq 0 ] || fail "the host quit with status $status"
echo "gui_smoke: passed"
