# The real program on scaled and small screens: the main window's frame lies on the screen's free
# area, at its top-left corner when it is larger; on a large screen it keeps its designed
# position. $1: the program.
source "$(dirname "$0")/desktop_session.sh"
program=$1
sample="$(dirname "$0")/../../samples/gaming-desktop-ddr5.bin"
title="Dimmetric v1.23.0.47"

# run_case WIDTHxHEIGHT SCALE PANEL CHECK: the program on a screen of that size, scaled, with a
# panel of PANEL pixels along the bottom (the free area the window manager announces); prints the
# frame "X Y WIDTH HEIGHT" once CHECK (a function given the screen size, the free area's height
# and the frame) holds, fails when it never does.
run_case() (
    local size=$1 scale=$2 panel=$3 check=$4
    trap desktop_stop EXIT
    desktop_start "$size"
    local width=${size%x*} height=${size#*x}
    if ((panel > 0)); then
        xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA "0, 0, $width, $((height - panel))"
    fi
    # A portable copy of its own, so that nothing is written beside the built program.
    mkdir -p "$desktop_home/app"
    cp "$program" "$desktop_home/app/dimmetric"
    QT_SCALE_FACTOR=$scale DIMMETRIC_SERVER=127.0.0.1:9 DIMMETRIC_SMBIOS=$sample \
        "$desktop_home/app/dimmetric" >/dev/null 2>&1 &
    desktop_pids+=($!)
    local id frame tries=0
    id=$(desktop_wait_window "$title" 30)
    # The window system tells the frame after the window shows; the window may then move.
    while :; do
        frame=$(desktop_frame "$id")
        if xprop -id "$id" _NET_FRAME_EXTENTS | grep -q '='; then
            # shellcheck disable=SC2086
            ! $check "$width" "$height" "$((height - panel))" $frame || break
        fi
        sleep 0.2
        ((++tries < 50)) || { echo "$size at $scale: frame $frame" >&2; return 1; }
    done
    echo "$size at $scale, panel $panel: frame $frame"
)

# inside W H FREE X Y FW FH: the whole frame lies on the free area.
inside() { (($4 >= 0 && $5 >= 0 && $4 + $6 <= $1 && $5 + $7 <= $3)); }
# at_corner W H FREE X Y FW FH: larger than the screen, the frame starts at its top-left corner.
at_corner() { (($4 == 0 && $5 == 0 && ($6 > $1 || $7 > $3))); }
# designed W H FREE X Y FW FH: not moved from the designed position. The window manager puts the
# frame of a window placed before it is framed where the window's own corner was asked, so the
# frame lands at (198, 179) or beside it by no more than its own left border and title bar.
designed() { (($4 >= 198 && $4 <= 198 + 4 && $5 >= 179 && $5 <= 179 + 40)) && inside "$@"; }

run_case 1280x1024 1.5 0 inside
run_case 1280x1024 2 0 at_corner
run_case 1920x1080 1.5 0 inside
run_case 1920x1080 1.5 48 inside
run_case 1920x1080 1 0 designed
