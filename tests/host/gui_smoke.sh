#!/usr/bin/env bash
# The desktop host in brief, on a virtual display: it starts with the demo
# session and tells its screen's density to the settings, opens instance 1's
# form from the rack's button, closes it with Ctrl+W and quits with Ctrl+Q.
#   gui_smoke.sh ROOT    (ROOT: the build's root folder)
# Exits 77 (skipped) when xvfb-run is not installed.
set -euo pipefail
if [ "${1:-}" != --on-display ]; then
  if ! command -v xvfb-run >/dev/null 2>&1; then
    echo "gui_smoke: xvfb-run is not installed; skipped"
    exit 77
  fi
  exec xvfb-run -a bash "$0" --on-display "$@"
fi
root=$2
work=$(mktemp -d)
export XDG_CONFIG_HOME="$work/config" HOME="$work"
cp -r "$root/examples/demo" "$work/demo"
log="$work/log.jsonl"
host_pid=
cleanup() {
  if [ -n "$host_pid" ]; then kill "$host_pid" 2>/dev/null || true; wait "$host_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "gui_smoke: $*" >&2
  echo "--- log" >&2; cat "$log" >&2 2>/dev/null || true
  echo "--- host output" >&2; cat "$work/host.out" >&2 2>/dev/null || true
  exit 1
}
# The last log line of an event with a fixed text in it, waited for up to 20 s.
wait_line() {
  local line
  for _ in $(seq 200); do
    line=$(grep -F "\"event\":\"$1\"" "$log" 2>/dev/null | grep -F -- "${2:-}" | tail -n 1 || true)
    if [ -n "$line" ]; then printf '%s\n' "$line"; return 0; fi
    kill -0 "$host_pid" 2>/dev/null || fail "the host ended while waiting for \"$1\""
    sleep 0.1
  done
  fail "no \"$1\" ${2:-} in the log"
}
field() { sed -n "s/.*\"$2\":\([0-9-]*\).*/\1/p" <<<"$1"; }

"$root/velmora-host" gui "$work/demo/session.json" --log "$log" >"$work/host.out" 2>&1 &
host_pid=$!
main=$(field "$(wait_line ready)" window)
grep -qF "Main PPI	s	96" "$XDG_CONFIG_HOME/ZOLT Velmora/settings.txt" ||
  fail "the host did not write the virtual display's 96 PPI as its Main PPI"
[ "$(xdotool getwindowname "$main")" = "Velmora Host — session.json" ] || fail "main window title: $(xdotool getwindowname "$main")"

button=$(wait_line button '"instance":1,')
xdotool mousemove --window "$main" $(($(field "$button" x) + $(field "$button" width) / 2)) \
  $(($(field "$button" y) + $(field "$button" height) / 2)) click 1
form_line=$(wait_line form '"instance":1,')
form=$(field "$form_line" window)
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
