# Two copies of one portable program at once: started one after the other, closed one after the
# other (File, Quit for the first, the window's close for the second), they leave no registry
# files and no data folder in the home folder.
source "$(dirname "$0")/desktop_session.sh"
program=$1
desktop_start 1280x1024
export DIMMETRIC_SERVER=127.0.0.1:9
title="Dimmetric v1.23.0.47"

portable="$desktop_home/portable"
mkdir -p "$portable"
cp "$program" "$portable/dimmetric"

# windows_of_title COUNT: waits until COUNT windows of the title show; prints their ids.
windows_of_title() {
    local count=$1 tries=0 ids
    while :; do
        ids=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null || true)
        [ "$(printf '%s\n' "$ids" | grep -c .)" -lt "$count" ] || { echo "$ids"; return 0; }
        sleep 0.1
        ((++tries < 200)) || { echo "fewer than $count windows \"$title\"" >&2; return 1; }
    done
}

# ends PID: waits up to 20 s for the process to end.
ends() {
    local pid=$1 tries=0
    while kill -0 "$pid" 2>/dev/null; do
        sleep 0.1
        ((++tries < 200)) || { echo "process $pid did not end" >&2; return 1; }
    done
    wait "$pid" || true
}

"$portable/dimmetric" >/dev/null 2>&1 &
first_pid=$!
first=$(windows_of_title 1)
# The second copy starts once the first has written its registry hive.
[ -f "$HOME/.config/dimmetric/registry/user.reg" ] || { echo "no hive after the first start" >&2; exit 1; }
"$portable/dimmetric" >/dev/null 2>&1 &
second_pid=$!
second=$(windows_of_title 2 | grep -vx "$first" | head -n 1)

xdotool windowactivate --sync "$first"
xdotool key --clearmodifiers ctrl+q
ends "$first_pid"
xdotool windowactivate --sync "$second"
xdotool key --clearmodifiers alt+F4
ends "$second_pid"

status=0
if [ -e "$HOME/.config/dimmetric/registry" ]; then
    echo "left behind:" >&2
    find "$HOME/.config/dimmetric/registry" >&2
    status=1
fi
[ ! -e "$HOME/.config/dimmetric" ] || { echo "left behind: ~/.config/dimmetric" >&2; status=1; }
[ ! -e "$HOME/.local/share/Brackenway" ] || { echo "left behind: the data folder" >&2; status=1; }
exit $status
