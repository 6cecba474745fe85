#!/usr/bin/env bash
# A portable copy of the program ended by SIGTERM, as the end of a desktop session ends it, on a
# real X server: it closes as File -> Quit does. A first run with -co writes the template, which
# then serves as a German language file; a second run on a German desktop chooses German. After
# each SIGTERM the data folder, the registry hives and their lock files are gone; after the second,
# settings.ini beside the copy holds the language chosen.
# Usage: logout_signal.sh <path of the built dimmetric>
source "$(dirname "$0")/desktop_session.sh"

program=$1
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

desktop_start 1280x1024
copy="$desktop_home/portable"
mkdir -p "$copy"
cp "$program" "$copy/dimmetric"
export DIMMETRIC_SERVER=127.0.0.1:9
data="$HOME/.local/share/Brackenway"
registry="$HOME/.config/dimmetric"

# run_until_sigterm ARGS...: starts the copy, waits for its window and its traces, sends SIGTERM
# and waits for its end, which must be a normal one.
run_until_sigterm() {
    "$copy/dimmetric" "$@" &
    local pid=$! status=0 tries=0
    desktop_wait_window "Dimmetric v1.23.0.47" >/dev/null || fail "no window"
    until [ -d "$data/Dimmetric" ] && [ -f "$registry/registry/user.reg" ]; do
        sleep 0.1
        ((++tries < 200)) || fail "the running copy made no data folder or hive"
    done
    kill -TERM "$pid"
    wait "$pid" || status=$?
    [ "$status" -eq 0 ] || fail "the copy ended with status $status after SIGTERM"
}

# expect_no_traces: nothing of the run is left in the home folder.
expect_no_traces() {
    [ ! -e "$data" ] || fail "the data folder stayed: $(find "$data")"
    [ ! -e "$registry" ] || fail "the registry stayed: $(find "$registry")"
}

run_until_sigterm -co
expect_no_traces
[ -f "$copy/QV_ORIGINAL.SPK" ] || fail "no template"

cp "$copy/QV_ORIGINAL.SPK" "$copy/QV_00000407.SPK"
rm -f "$copy/settings.ini"
unset LC_ALL LC_MESSAGES
export LANG=de_DE.UTF-8
run_until_sigterm
expect_no_traces
[ -f "$copy/settings.ini" ] || fail "no settings.ini beside the copy"
grep -q '^lng=1031' "$copy/settings.ini" ||
    fail "settings.ini lacks the German choice: $(cat "$copy/settings.ini")"
echo "PASS"
