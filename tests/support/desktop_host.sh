# Driving `velmora-host gui` on a virtual display, for the desktop tests'
# scripts (sourced, after `set -euo pipefail`). Before sourcing set:
#   script_name  how failures are signed
#   root         the build's root folder (velmora-host, the plugin, examples)
# Gives a private work folder with the demo session copied in ($work,
# $session) and its own settings folder, a host started and stopped on it,
# and waits on the host's log.
host_bin="$root/velmora-host"
work=$(mktemp -d)
mkdir -p "$work/config"
export XDG_CONFIG_HOME="$work/config" HOME="$work"
cp -r "$root/examples/demo" "$work/demo"
session="$work/demo/session.json"
log="$work/log.jsonl"
host_pid=

cleanup() {
  if [ -n "$host_pid" ]; then kill "$host_pid" 2>/dev/null || true; wait "$host_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "$script_name: $*" >&2
  if [ -f "$log" ]; then echo "--- host log" >&2; cat "$log" >&2; fi
  if [ -f "$work/host.out" ]; then echo "--- host output" >&2; tail -n 40 "$work/host.out" >&2; fi
  if declare -F fail_details >/dev/null; then fail_details; fi
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
# Waits for more lines of an event than the count given.
wait_more() {
  for _ in $(seq 200); do
    [ "$(count_lines "$1")" -gt "$2" ] && return 0
    kill -0 "$host_pid" 2>/dev/null || fail "the host ended while waiting for \"$1\""
    sleep 0.1
  done
  fail "no new \"$1\" in the log"
}
# A number field and a text field of a log line.
field() { sed -n "s/.*\"$2\":\([0-9-]*\).*/\1/p" <<<"$1"; }
text_field() { sed -n "s/.*\"$2\":\"\([^\"]*\)\".*/\1/p" <<<"$1"; }
count_lines() { grep -c -F "\"event\":\"$1\"" "$log" 2>/dev/null || true; }

# Starts the host on $session with any further options; sets main_window.
start_host() {
  : >"$log"
  "$host_bin" gui "$session" --log "$log" "$@" >"$work/host.out" 2>&1 &
  host_pid=$!
  main_window=$(field "$(wait_line ready)" window)
}

stop_host() {
  kill "$host_pid" 2>/dev/null || true
  wait "$host_pid" 2>/dev/null || true
  host_pid=
}

# Clicks the rack button of an event kind ("button", "roll-button") of an instance.
press_button() {
  local line
  line=$(wait_line "$1" "\"instance\":$2,")
  xdotool mousemove --window "$main_window" $(($(field "$line" x) + $(field "$line" width) / 2)) \
    $(($(field "$line" y) + $(field "$line" height) / 2)) click 1
}

# Opens instance 1's editor with its rack button; sets form_line, form and area.
open_editor() {
  local before
  before=$(count_lines form)
  press_button button 1
  wait_more form "$before"
  form_line=$(wait_line form '"instance":1,')
  form=$(field "$form_line" window)
  area=$(field "$form_line" area)
}

# Opens instance 1's piano roll; sets roll and colours.
open_roll() {
  press_button roll-button 1
  local line
  line=$(wait_line roll '"instance":1,')
  roll=$(field "$line" window)
  colours=$(field "$line" colours)
  wait_line names '"instance":1,' >/dev/null
}
