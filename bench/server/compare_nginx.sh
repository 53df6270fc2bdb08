#!/bin/sh
# Probe and named-call load against k3drawd, and the same probe load against nginx serving a
# static file of the same size, all on 127.0.0.1. nginx (Debian package nginx-light or nginx)
# is the ceiling of what this machine serves for the probe.
#
#   bench/server/compare_nginx.sh [BUILD_DIR] [SECONDS]
set -eu

build=${1:-build-server}
seconds=${2:-5}
drawd="$build/server/k3drawd"
load="$build/bench/server/k3drawd_load"
nginx_port=${K3_BENCH_NGINX_PORT:-19281}

for tool in "$drawd" "$load"; do
    [ -x "$tool" ] || { echo "missing $tool: build the targets k3drawd and k3drawd_load" >&2; exit 2; }
done
command -v nginx >/dev/null || { echo "nginx is not installed (apt-get install nginx-light)" >&2; exit 2; }

work=$(mktemp -d)
chmod 755 "$work"
drawd_pid=
nginx_pid=
cleanup() {
    [ -n "$drawd_pid" ] && kill "$drawd_pid" 2>/dev/null || true
    [ -n "$nginx_pid" ] && kill "$nginx_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

"$drawd" --listen 127.0.0.1:0 --db "$work/draws.sqlite3" --quiet >"$work/drawd.out" &
drawd_pid=$!
tries=0
while ! grep -q listening "$work/drawd.out" 2>/dev/null; do
    tries=$((tries + 1))
    [ "$tries" -lt 100 ] || { echo "k3drawd did not start" >&2; exit 1; }
    sleep 0.1
done
drawd_url=$(sed -n 's|.*\(http://127\.0\.0\.1:[0-9]*\)/.*|\1|p' "$work/drawd.out")

# The static file holds what the probe answers, so both servers send bodies of the same size.
mkdir -p "$work/www"
"$load" --url "$drawd_url" --mode probe --clients 1 --seconds 1 >/dev/null
period=$(python3 -c "import urllib.request,sys; print(urllib.request.urlopen(sys.argv[1]).read().decode(), end='')" "$drawd_url/newphase")
printf '%s' "$period" >"$work/www/newphase"
chmod -R a+rX "$work/www"
cat >"$work/nginx.conf" <<CONF
worker_processes auto;
daemon off;
pid $work/nginx.pid;
error_log $work/nginx-error.log;
events { worker_connections 2048; }
http {
    access_log off;
    server {
        listen 127.0.0.1:$nginx_port;
        root $work/www;
        location = /newphase { default_type text/plain; }
    }
}
CONF
nginx -c "$work/nginx.conf" -p "$work" &
nginx_pid=$!
sleep 0.5

echo "probe body: $(wc -c <"$work/www/newphase") bytes; ${seconds}s per run; $(nproc) cores"
for clients in 1 16 256; do
    drawd_probe=$("$load" --url "$drawd_url" --mode probe --clients "$clients" --seconds "$seconds")
    drawd_call=$("$load" --url "$drawd_url" --mode call --clients "$clients" --seconds "$seconds")
    nginx_probe=$("$load" --url "http://127.0.0.1:$nginx_port" --mode probe --clients "$clients" --seconds "$seconds")
    echo "k3drawd $drawd_probe"
    echo "k3drawd $drawd_call"
    echo "nginx   $nginx_probe"
    echo "$drawd_probe $nginx_probe" | awk '{
        for (i = 1; i <= NF; i++) if ($i ~ /^per_second=/) { split($i, v, "="); rate[++n] = v[2] }
        printf "probe ratio k3drawd/nginx at %s: %.2f\n", "'"$clients"' clients", rate[1] / rate[2] }'
done
