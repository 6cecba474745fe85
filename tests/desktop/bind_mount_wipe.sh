# A folder bind-mounted inside a portable copy's data folder outlives the copy's close with every
# file in it, and the log kept in the data folder names it. Needs root to mount: skipped (77)
# otherwise, or when the mount cannot be made.
source "$(dirname "$0")/desktop_session.sh"
program=$1
[ "$(id -u)" -eq 0 ] || { echo "skipped: mounting needs root"; exit 77; }
desktop_start 1280x1024
export DIMMETRIC_SERVER=127.0.0.1:9
title="Dimmetric v1.23.0.47"

portable="$desktop_home/portable"
data="$HOME/.local/share/Brackenway/Dimmetric"
elsewhere="$desktop_home/elsewhere"
mkdir -p "$portable" "$data/mounted" "$elsewhere/inner"
cp "$program" "$portable/dimmetric"
echo precious >"$elsewhere/file.txt"
echo precious >"$elsewhere/inner/file.txt"

# Unmounted before the scratch folders go.
unmount_then_stop() {
    umount "$data/mounted" 2>/dev/null || umount -l "$data/mounted" 2>/dev/null || true
    desktop_stop
}
trap unmount_then_stop EXIT
# A bind mount of a folder on the same disk: the same device number, but a mount of its own.
mount --bind "$elsewhere" "$data/mounted" 2>/dev/null || { echo "skipped: cannot bind-mount"; exit 77; }

"$portable/dimmetric" >/dev/null 2>&1 &
pid=$!
window=$(desktop_wait_window "$title")
xdotool windowactivate --sync "$window"
xdotool key --clearmodifiers ctrl+q
tries=0
while kill -0 "$pid" 2>/dev/null; do
    sleep 0.1
    ((++tries < 200)) || { echo "the program did not end" >&2; exit 1; }
done

status=0
for file in file.txt inner/file.txt; do
    [ "$(cat "$elsewhere/$file" 2>/dev/null)" = precious ] || { echo "lost: $file" >&2; status=1; }
done
mountpoint -q "$data/mounted" || { echo "the mounted folder is gone" >&2; status=1; }
grep -q "Left in place, on another file system : $data/mounted/" "$data/Dimmetric.log" 2>/dev/null ||
    { echo "the log does not name the mounted folder" >&2; status=1; }
[ ! -e "$data/dimmetric.ini" ] || { echo "the wipe left the links file" >&2; status=1; }
exit $status
