#!/usr/bin/env bash
# Whole-process measures of the program with a four-module SMBIOS image, its maker's server on
# loopback (build/bin/dimmetric_maker_server), so that the first activation downloads the links
# file and checks for an update as it does on a connected machine:
#   - process start to the end of the first scan (warm, median of 7 runs),
#   - resident memory after 10 s,
#   - CPU used by 60 s of sampling (after those 10 s), in percent of one core.
# Usage: bench/process_bench.sh [path/to/dimmetric]   (default build/bin/dimmetric)
# Runs offscreen unless a display is set; registry and data folder go to a temporary folder.
set -euo pipefail
cd "$(dirname "$0")/.."
exe=${1:-build/bin/dimmetric}
image=samples/gaming-desktop-ddr5.bin
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export DIMMETRIC_SMBIOS="$image" DIMMETRIC_REGISTRY_DIR="$tmp/registry"
export XDG_DATA_HOME="$tmp/data" XDG_CACHE_HOME="$tmp/cache" XDG_RUNTIME_DIR="$tmp/runtime"
mkdir -p -m 0700 "$tmp/runtime"
server_exe=$(dirname "$exe")/dimmetric_maker_server
"$server_exe" >"$tmp/server" 2>/dev/null &
server=$!
trap 'kill "$server" 2>/dev/null || true; rm -rf "$tmp"' EXIT
for _ in $(seq 50); do grep -q '^listening' "$tmp/server" && break; sleep 0.1; done
DIMMETRIC_SERVER=$(awk '/^listening/ {print $2}' "$tmp/server")
[ -n "$DIMMETRIC_SERVER" ] || { echo "the loopback server did not start" >&2; exit 1; }
export DIMMETRIC_SERVER
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}; fi

# 1. Start to the end of the first scan; the first run warms the caches and is not counted.
times=()
for run in 0 1 2 3 4 5 6 7; do
    start=$(date +%s%N)
    done_at=$(DIMMETRIC_REPORT_FIRST_SCAN=exit "$exe" 2>/dev/null | awk '/^first-scan-done/ {print $2}')
    [ -n "$done_at" ] || { echo "no first scan reported" >&2; exit 1; }
    [ "$run" -eq 0 ] || times+=($(((done_at - start) / 1000)))
done
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 4p)
printf 'start to end of first scan: %d.%03d ms (median of %d warm runs; all us: %s)\n' \
    $((median / 1000)) $((median % 1000)) ${#times[@]} "${times[*]}"

# 2. and 3. One run left alone for 70 s.
"$exe" >/dev/null 2>&1 &
pid=$!
trap 'kill "$pid" "$server" 2>/dev/null || true; rm -rf "$tmp"' EXIT
sleep 10
rss=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status")
printf 'resident memory after 10 s: %d.%d MB\n' $((rss / 1024)) $((rss % 1024 * 10 / 1024))
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
before=$(ticks)
sleep 60
after=$(ticks)
hz=$(getconf CLK_TCK)
awk -v t=$((after - before)) -v hz="$hz" \
    'BEGIN {printf "CPU over 60 s of sampling: %.3f %% of one core (%d ticks of 1/%d s)\n", t / hz / 60 * 100, t, hz}'
kill "$pid"
wait "$pid" 2>/dev/null || true
