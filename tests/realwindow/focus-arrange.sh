#!/usr/bin/env bash
# The chart of one person in the real window: Shift with the right mouse
# button on Clara's box opens its menu, "Vorfahren anordnen..." asks for the
# generations in the toolkit's number dialog (4 offered), 1 and Enter leave
# Clara alone on the first cell of an area of one cell, her parents without
# a cell, and the saved tree holds that.
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
rw_init focus-arrange "$@"

tree="$RW_WORK/familie.sta"
rw_make_tree "$tree"
rw_start_app "$tree"
rw_click "$RW_MAIN" $RW_ARRANGE_TAB_X $RW_TAB_Y
# Clara stands on cell (2, 2). Until the page has painted once, its margins
# are not known and the click finds no box: then it is tried again.
before=$(xdotool search --onlyvisible --class . 2>/dev/null | wc -l)
menu_open() { [ "$(xdotool search --onlyvisible --class . 2>/dev/null | wc -l)" -gt "$before" ]; }
for attempt in 1 2 3 4 5 6; do
    xdotool mousemove --window "$RW_MAIN" $RW_CLARA_X $RW_CLARA_Y
    xdotool keydown shift click 3 keyup shift
    n=$(rw_ticks 2)
    until menu_open || [ $n -le 0 ]; do
        n=$((n - 1))
        sleep 0.1
    done
    menu_open && break
done
menu_open || rw_fail "das Menü des Kästchens öffnet sich nicht"
rw_shot box-menu
rw_key Down Return
dialog=$(rw_wait_window '^Vorfahren anordnen$')
rw_focus "$dialog"
rw_key ctrl+a
rw_type 1
rw_shot number-dialog
rw_key Return
rw_wait_gone '^Vorfahren anordnen$'
rw_shot arranged
rw_focus "$RW_MAIN"
rw_key ctrl+s
rw_wait_window '^Morvane Lindwerk 3\.0 - familie\.sta$' >/dev/null
rw_quit_app

"$RW_CLI" dump "$tree" >"$RW_WORK/arranged.json" || rw_fail "der Stammbaum liest sich nicht"
cell() {
    grep "\"VorName\": \"$1\"" "$RW_WORK/arranged.json" | grep -o '"GridX": [-0-9]*, "GridY": [-0-9]*'
}
for expected in 'Bruno|"GridX": -1, "GridY": -1' 'Anna|"GridX": -1, "GridY": -1' \
    'Clara|"GridX": 0, "GridY": 0'; do
    name=${expected%%|*}
    [ "$(cell "$name")" = "${expected#*|}" ] ||
        rw_fail "$name steht auf $(cell "$name") statt ${expected#*|}"
done
grep -q '"area": \[1, 1\]' "$RW_WORK/arranged.json" ||
    rw_fail "die Fläche ist nicht 1 × 1: $(grep '"area"' "$RW_WORK/arranged.json")"
rw_log "Clara allein auf der Fläche 1 × 1, ihre Eltern ohne Platz"
