# The real program switching languages in its Language dialog: German, then a French file that
# lacks the dialog's caption. The dialog's title then reads the program's own English, not the
# German left over. $1: the program, $2: the language file writer.
source "$(dirname "$0")/desktop_session.sh"
program=$1
write_language_file=$2
sample="$(dirname "$0")/../../samples/gaming-desktop-ddr5.bin"

desktop_start 1280x1024
app="$desktop_home/app"
mkdir -p "$app"
cp "$program" "$app/dimmetric"
"$write_language_file" "$app" 0407 Deutsch "LangDlg=Sprache" "MainDlg.File1=&Datei"
"$write_language_file" "$app" 040C Francais "MainDlg.File1=&Fichier"
DIMMETRIC_SERVER=127.0.0.1:9 DIMMETRIC_SMBIOS=$sample "$app/dimmetric" >/dev/null 2>&1 &
desktop_pids+=($!)

main=$(desktop_wait_window "Dimmetric v1.23.0.47" 30)
xdotool windowactivate --sync "$main"
# "Options" in the menu bar, then its second entry: Language.
xdotool mousemove --window "$main" 55 10 click 1
sleep 0.5
xdotool key Down Down Return
# The dialog's window exists from the start, hidden: wait until it shows.
dialog=$(xdotool search --name '^Language$' | head -n 1)
tries=0
until xwininfo -id "$dialog" | grep -q IsViewable; do
    sleep 0.1
    ((++tries < 100)) || { echo "the Language dialog did not show" >&2; exit 1; }
done

# title_becomes WINDOW TITLE: waits until the window's title is TITLE.
title_becomes() {
    local tries=0
    until [ "$(xdotool getwindowname "$1")" = "$2" ]; do
        sleep 0.1
        ((++tries < 100)) || { echo "title \"$(xdotool getwindowname "$1")\", not \"$2\"" >&2; return 1; }
    done
}
# choose ROW: a click on entry ROW of the dialog's list (entries 32 pixels high below the caption).
choose() { xdotool mousemove --window "$dialog" 100 $((19 + 32 * $1 + 16)) click 1; }

# The languages are listed in the language table's order: French, then German.
choose 1
title_becomes "$dialog" Sprache
choose 0
title_becomes "$dialog" Language
# The French file was the one applied: it is the stored choice.
hive="$HOME/.config/dimmetric/registry/user.reg"
tries=0
until grep -qi '"lng"=dword:0000040c' "$hive" 2>/dev/null; do
    sleep 0.1
    ((++tries < 50)) || { echo "French is not the stored choice:" >&2; cat "$hive" >&2; exit 1; }
done
echo "German, then French: the dialog's title is English again"
