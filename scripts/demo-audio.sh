#!/usr/bin/env bash
# Hear the articulation switching with fluidsynth and a General MIDI
# soundfont: the GM strings demo (examples/gm-strings/) switches between
# sustained, tremolo and pizzicato strings by program change.
#
#   scripts/demo-audio.sh [--out DIR] [--host PATH]
#       renders the demo offline: DIR/gm-strings.mid (what the plugin sent),
#       DIR/gm-strings.txt (the same as a table) and DIR/gm-strings.wav;
#       DIR defaults to build/demo-audio
#   scripts/demo-audio.sh --live [--host PATH]
#       plays live through JACK: a keyboard into velmora:in, the plugin's
#       port 0 into fluidsynth; Ctrl+C stops everything this script started
#
# --host names a velmora-host to use as it is; without it the build's is
# used, built first if needed. The soundfont is $VELMORA_SOUNDFONT, else
# Debian's General MIDI one (package fluid-soundfont-gm).
# Exit status: 0 done, 1 failed, 2 bad arguments, 3 fluidsynth, the
# soundfont or JACK's tools are missing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
session="$root/examples/gm-strings/session.json"
soundfont=${VELMORA_SOUNDFONT:-/usr/share/sounds/sf2/FluidR3_GM.sf2}

usage() {
  echo "usage: scripts/demo-audio.sh [--out DIR] [--host PATH] | --live [--host PATH]" >&2
  exit 2
}

live=0 out="$root/build/demo-audio" host=""
while [ $# -gt 0 ]; do
  case $1 in
    --live) live=1 ;;
    --out) [ $# -ge 2 ] || usage; out=$(realpath -m -- "$2"); shift ;;
    --host) [ $# -ge 2 ] || usage; host=$(realpath -m -- "$2"); shift ;;
    -h|--help) sed -n '2,18p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) usage ;;
  esac
  shift
done

missing() {
  echo "demo-audio: $1" >&2
  exit 3
}

need_fluidsynth() {
  command -v fluidsynth >/dev/null 2>&1 ||
    missing "fluidsynth is not installed: sudo apt-get install fluidsynth"
  if [ ! -f "$soundfont" ]; then
    if [ -n "${VELMORA_SOUNDFONT:-}" ]; then
      missing "no soundfont at \$VELMORA_SOUNDFONT ($soundfont)"
    fi
    missing "no General MIDI soundfont at $soundfont: sudo apt-get install fluid-soundfont-gm (or set VELMORA_SOUNDFONT to a .sf2 file)"
  fi
}

# The build's host, brought up to date; a fresh checkout is set up as
# scripts/run.sh does it (build tools only, no tests).
build_host() {
  local build="$root/build/default"
  if [ ! -f "$build/CMakeCache.txt" ]; then
    "$root/scripts/bootstrap.sh"
    (cd "$root" && cmake --preset default -DVELMORA_TESTS=OFF -DVELMORA_BENCH=OFF >/dev/null)
  fi
  cmake --build "$build" --target velmora-host velmora_plugin velmora_icon_template >/dev/null
  host="$build/root/velmora-host"
}

# Seconds of sound in a RIFF/WAVE file: its data bytes over its byte rate.
wav_seconds() {
  local file=$1 size pos=12 id len rate=0 data=0
  size=$(stat -c %s "$file")
  while [ $((pos + 8)) -le "$size" ]; do
    id=$(dd if="$file" bs=1 skip="$pos" count=4 status=none)
    len=$(od -An -tu4 --endian=little -j $((pos + 4)) -N4 "$file" | tr -d ' ')
    case $id in
      "fmt ") rate=$(od -An -tu4 --endian=little -j $((pos + 16)) -N4 "$file" | tr -d ' ') ;;
      data) data=$len ;;
    esac
    pos=$((pos + 8 + len + (len & 1)))
  done
  awk -v d="$data" -v r="$rate" 'BEGIN { if (r > 0) printf "%.2f", d / r; else printf "?" }'
}

render() {
  need_fluidsynth
  [ -n "$host" ] || build_host
  mkdir -p "$out"
  local mid="$out/gm-strings.mid" wav="$out/gm-strings.wav" log="$out/fluidsynth.log"
  "$host" play "$session" --midi "$mid" >"$out/gm-strings.txt"
  # fluidsynth renders until its last voice has died away, so a note left
  # sounding would render without end: bound its time and the file's size
  # (200 MB, about twenty minutes).
  rm -f "$wav"
  if ! (ulimit -f 204800 && exec timeout 120 fluidsynth -ni -F "$wav" -r 44100 "$soundfont" "$mid") >"$log" 2>&1; then
    echo "demo-audio: fluidsynth did not finish rendering $mid (a note left sounding renders without end); its output:" >&2
    cat "$log" >&2
    rm -f "$wav"
    exit 1
  fi
  echo "$wav: $(wav_seconds "$wav") s"
  echo "(what the plugin sent: $mid, as a table in $out/gm-strings.txt)"
}

# --- live ---------------------------------------------------------------

pids=() names=() tmp=""
stop_all() {
  local i pid
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    pid=${pids[i]}
    kill -0 "$pid" 2>/dev/null || continue
    # velmora-host prints its summary when interrupted; the others take TERM.
    if [ "${names[i]}" = velmora-host ]; then kill -INT "$pid" 2>/dev/null || true; else kill -TERM "$pid" 2>/dev/null || true; fi
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    echo "stopped ${names[i]}"
  done
  if [ -n "$tmp" ]; then
    grep -h '^stopped:' "$tmp/velmora-host.out" 2>/dev/null || true
    rm -rf "$tmp"
  fi
}

started() {
  pids+=("$1")
  names+=("$2")
}

# Probing must not start a server behind the user's back (libjack would).
export JACK_NO_START_SERVER=1
jack_answers() { timeout 5 jack_lsp >/dev/null 2>&1; }

wait_until() {  # wait_until SECONDS PID COMMAND...: COMMAND succeeds while PID lives
  local seconds=$1 pid=$2
  shift 2
  for _ in $(seq $((seconds * 5))); do
    "$@" && return 0
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.2
  done
  return 1
}

start_jack() {
  local name=()
  [ -z "${JACK_DEFAULT_SERVER:-}" ] || name=(-n "$JACK_DEFAULT_SERVER")
  echo "No JACK server answers: starting one on the default sound card (jackd -d alsa)."
  jackd "${name[@]}" -d alsa -r 44100 >"$tmp/jackd.log" 2>&1 &
  started $! jackd
  if ! wait_until 10 "$!" jack_answers; then
    cat "$tmp/jackd.log" >&2
    cat >&2 <<'EOF'
demo-audio: could not start JACK on a sound card. Start a server yourself and
run this again, for instance:
  qjackctl                                  (choose the sound card, press Start)
  jackd -d alsa -d hw:0 -r 44100            (the first sound card)
  jackd -d dummy -r 44100 -p 256            (no sound hardware: runs, but silent)
EOF
    exit 1
  fi
}

# fluidsynth's MIDI input port, once it has one.
synth_port() {
  jack_lsp -p -t 2>/dev/null | awk -v client="$1:" '
    /^[^ \t]/ { port = index($0, client) == 1 ? $0 : ""; input = 0; next }
    /properties:/ { input = /input/; next }
    /raw midi/ && port != "" && input { print port; exit }'
}

midi_outputs() {
  jack_lsp -p -t 2>/dev/null | awk '
    /^[^ \t]/ { port = $0; output = 0; next }
    /properties:/ { output = /output/; next }
    /raw midi/ && output && port !~ /^velmora:/ { print "  " port; n++ }
    END { if (n == 0) print "  (none yet)" }'
}

play_live() {
  need_fluidsynth
  for tool in jackd jack_lsp jack_connect; do
    command -v "$tool" >/dev/null 2>&1 || missing "$tool is not installed: sudo apt-get install jackd2"
  done
  [ -n "$host" ] || build_host
  tmp=$(mktemp -d)
  trap stop_all EXIT
  trap 'exit 130' INT TERM
  jack_answers || start_jack

  # fluidsynth's shell reads commands from its input: a FIFO it holds open
  # for writing itself never ends, so it runs until it is stopped.
  local synth=velmora-gm fifo="$tmp/fluidsynth.in" port=""
  mkfifo "$fifo"
  fluidsynth -a jack -m jack -j -o audio.jack.id=$synth -o midi.jack.id=$synth "$soundfont" \
    <>"$fifo" >"$tmp/fluidsynth.log" 2>&1 &
  started $! fluidsynth
  local fluid=$!
  port_found() { port=$(synth_port "$synth"); [ -n "$port" ]; }
  if ! wait_until 30 "$fluid" port_found; then
    echo "demo-audio: fluidsynth gave no JACK MIDI input; its output:" >&2
    cat "$tmp/fluidsynth.log" >&2
    exit 1
  fi

  "$host" live "$session" >"$tmp/velmora-host.out" &
  started $! velmora-host
  local velmora=$!
  is_live() { grep -q '^live: ' "$tmp/velmora-host.out"; }
  if ! wait_until 15 "$velmora" is_live; then
    local status=0
    kill -0 "$velmora" 2>/dev/null || { wait "$velmora" || status=$?; }
    case $status in
      1) echo "demo-audio: velmora-host could not reach the JACK server" >&2 ;;
      2) echo "demo-audio: this velmora-host has no live mode (built without JACK: sudo apt-get install libjack-jackd2-dev, then build again)" >&2 ;;
      *) echo "demo-audio: velmora-host live did not start" >&2 ;;
    esac
    exit 1
  fi
  grep '^live: ' "$tmp/velmora-host.out"
  jack_connect velmora:port-0 "$port"
  cat <<EOF
velmora:port-0 -> $port -> the speakers.

Play a keyboard into velmora:in: MIDI channel 1 plays sustained strings,
channel 2 tremolo, channel 3 pizzicato. Connect it in qjackctl, or with
  jack_connect KEYBOARD_PORT velmora:in
MIDI outputs JACK has now:
$(midi_outputs)
(an ALSA-only keyboard shows up in JACK once a2jmidid -e runs)
Ctrl+C stops velmora-host, fluidsynth and any JACK server this script started.
EOF
  wait "$velmora" || true
}

if [ "$live" -eq 1 ]; then
  play_live
else
  render
fi
