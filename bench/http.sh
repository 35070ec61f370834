#!/usr/bin/env bash
# Requests per second of the embedded server (a 4 KB static file, and GET /api
# over 8 instances) against nginx on loopback with one worker serving the same
# file, each the median of three runs. The embedded server answers one request per connection, so nginx is
# run without keep-alive too: both pay for a connection per request.
# Everything stays on 127.0.0.1 and stops by itself.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/bootstrap.sh
scripts/install_packages.sh nginx wrk python3
cmake --preset default -DVELMORA_TESTS=OFF -DVELMORA_BENCH=OFF >/dev/null
cmake --build --preset default --target velmora-host velmora_plugin velmora_icon_template >/dev/null

# The embedded server serves the html/ folder of the installation its host
# runs from, so the host runs from a copy of the installation in a temporary
# folder and the served file is written there, not into the build tree.
built=build/default/root
built_plugin="$built/Plugins/Fruity/Generators/ZOLT Velmora"
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; nginx -c "$work/nginx.conf" -s stop 2>/dev/null || true; rm -rf "$work"' EXIT
# nginx started as root serves through an unprivileged worker.
chmod 755 "$work"
root="$work/root"
plugin="$root/Plugins/Fruity/Generators/ZOLT Velmora"
html="$plugin/html"
mkdir -p "$html"
cp "$built/velmora-host" "$root/"
cp "$built_plugin/ZOLT Velmora_x64.so" "$built_plugin/articulations.zolttemplate" "$plugin/"
head -c 4096 /dev/urandom > "$html/bench-4k.bin"

python3 - "$work/session.json" <<'PY'
import json, sys
json.dump({"instances": [{"port": i} for i in range(8)]}, open(sys.argv[1], "w"))
PY
port_ours=18931
port_nginx=18932
port_nginx_close=18933
"$root/velmora-host" serve "$work/session.json" --port $port_ours >/dev/null &
cat > "$work/nginx.conf" <<CONF
worker_processes 1;
pid $work/nginx.pid;
error_log $work/error.log;
events { worker_connections 1024; }
http {
  access_log off;
  # One request per connection, as the embedded server answers.
  keepalive_timeout 0;
  server { listen 127.0.0.1:$port_nginx; root "$(realpath "$html")"; }
  # The same file with its end told by the close, as the embedded server
  # tells it: a (never matching) substitution drops the Content-Length.
  server {
    listen 127.0.0.1:$port_nginx_close; root "$(realpath "$html")";
    chunked_transfer_encoding off; sub_filter_types *; sub_filter "velmora-never-there" "";
  }
}
CONF
nginx -c "$work/nginx.conf"
sleep 1

rate() { wrk -t1 -c32 -d5s "$1" | awk '/Requests\/sec/ {print $2}'; }
median() { printf '%s\n' "$@" | sort -g | sed -n 2p; }
# Three runs of each, taken in turn so a load elsewhere on the machine falls
# on all of them alike; every figure is the median of its three.
static_ours=() static_nginx=() static_close=() api_ours=()
for _ in 1 2 3; do
  static_ours+=("$(rate "http://127.0.0.1:$port_ours/bench-4k.bin")")
  static_nginx+=("$(rate "http://127.0.0.1:$port_nginx/bench-4k.bin")")
  static_close+=("$(rate "http://127.0.0.1:$port_nginx_close/bench-4k.bin")")
  api_ours+=("$(rate "http://127.0.0.1:$port_ours/api")")
done
echo "each figure: the median of 3 runs of 5 s"
echo "  runs: embedded ${static_ours[*]}; nginx ${static_nginx[*]}; nginx ended by close ${static_close[*]}; /api ${api_ours[*]}"
static_ours=$(median "${static_ours[@]}")
static_nginx=$(median "${static_nginx[@]}")
static_close=$(median "${static_close[@]}")
api_ours=$(median "${api_ours[@]}")
echo "static 4 KB, embedded server: $static_ours requests/s"
echo "static 4 KB, nginx (1 worker): $static_nginx requests/s"
echo "GET /api with 8 instances:     $api_ours requests/s"
python3 -c "print('ratio embedded / nginx for the static file: %.2f' % ($static_ours / $static_nginx))"
# wrk takes a response without Content-Length as ended by the close and then
# opens a connection it drops at once: such responses cost two connections a
# request on both sides. Against nginx answering in that same form:
echo "static 4 KB, nginx ending the body by the close: $static_close requests/s"
python3 -c "print('ratio embedded / nginx, both ending the body by the close: %.2f' % ($static_ours / $static_close))"
