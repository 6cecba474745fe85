#!/usr/bin/env bash
# Peak resident memory, bytes sent by the server, time and client CPU of the HTTP client while a
# loopback server streams a reply without end, each case in its own process, plain HTTP and TLS.
# Usage: bench/http_flood_bench.sh [path/to/http_flood_bench] [stall seconds (default 10)]
# [total seconds (default: the client's own limit)]
set -euo pipefail
cd "$(dirname "$0")/.."
exe=${1:-build/bin/http_flood_bench}
stall=${2:-10}
total=${3:-}
for tls in "" --tls; do
    for c in header-lines header-line status-line trailers chunk-size chunk-extension extended-chunks; do
        "$exe" "$c" $tls "$stall" $total
    done
done
