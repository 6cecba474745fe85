# A private desktop for end-to-end checks of the real program: an X server (Xvfb) on a free
# display with a window manager (openbox), a scratch home folder, and helpers to wait for and
# look at windows. Source it, then call desktop_start; everything it started ends with the script.
set -euo pipefail

desktop_pids=()
desktop_home=""

desktop_stop() {
    local pid
    for pid in "${desktop_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${desktop_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    [ -z "$desktop_home" ] || rm -rf "$desktop_home"
}
trap desktop_stop EXIT

# desktop_start WIDTHxHEIGHT: an X server of that size with a window manager, a scratch HOME.
desktop_start() {
    local size=$1 display_file
    desktop_home=$(mktemp -d)
    display_file="$desktop_home/display"
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$display_file" 2>/dev/null &
    desktop_pids+=($!)
    local tries=0
    until [ -s "$display_file" ]; do
        sleep 0.1
        ((++tries < 100)) || { echo "Xvfb did not start" >&2; return 1; }
    done
    export DISPLAY=":$(head -n 1 "$display_file")"
    export HOME="$desktop_home/home"
    mkdir -p "$HOME"
    unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME DIMMETRIC_REGISTRY_DIR QT_QPA_PLATFORM
    openbox --sm-disable >/dev/null 2>&1 &
    desktop_pids+=($!)
    tries=0
    # Ready once it has announced itself and the free area of the screen (which a check may then
    # change to stand for a panel without the window manager writing over it).
    until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' &&
        xprop -root _NET_WORKAREA 2>/dev/null | grep -q '='; do
        sleep 0.1
        ((++tries < 100)) || { echo "the window manager did not start" >&2; return 1; }
    done
}

# desktop_wait_window TITLE [SECONDS]: prints the id of the first visible window of that title.
desktop_wait_window() {
    local title=$1 seconds=${2:-20} tries=0 id
    while :; do
        id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1 || true)
        [ -z "$id" ] || { echo "$id"; return 0; }
        sleep 0.1
        ((++tries < seconds * 10)) || { echo "no window \"$title\"" >&2; return 1; }
    done
}

# desktop_frame WINDOW: prints "X Y WIDTH HEIGHT" of the window with its frame, in screen pixels.
desktop_frame() {
    local id=$1 x y w h left right top bottom
    eval "$(xdotool getwindowgeometry --shell "$id" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
    read -r left right top bottom < <(xprop -id "$id" _NET_FRAME_EXTENTS 2>/dev/null |
        sed -n 's/.*= *\([0-9]*\), *\([0-9]*\), *\([0-9]*\), *\([0-9]*\).*/\1 \2 \3 \4/p')
    echo "$((X - ${left:-0})) $((Y - ${top:-0})) $((WIDTH + ${left:-0} + ${right:-0})) $((HEIGHT + ${top:-0} + ${bottom:-0}))"
}
