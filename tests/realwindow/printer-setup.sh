#!/usr/bin/env bash
# The printer set-up in the real window: "auf N Blätter Breite" with 3
# spreads the two-sheet tree over three sheets, and the next print (Strg+P,
# the same command as Go!) has three pages.
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
rw_init printer-setup "$@"

tree="$RW_WORK/familie.sta"
rw_make_tree "$tree"
rw_start_app "$tree"
rw_show_print_page
rw_click "$RW_MAIN" $RW_SETUP_X $RW_SETUP_Y
setup=$(rw_wait_window '^Druckereinrichtung$')
rw_focus "$setup"
rw_click "$setup" $RW_SHEETS_WIDE_X $RW_SHEETS_WIDE_Y # the radio button
rw_key Tab ctrl+a                                    # its number
rw_type 3
rw_shot setup-three-sheets-wide
rw_key Return
rw_wait_gone '^Druckereinrichtung$'
rw_focus "$RW_MAIN"
rw_key ctrl+p
rw_print_through_dialogs "$RW_WORK/familie.pdf" setup
pages=$(rw_pdf_pages "$RW_WORK/familie.pdf")
[ "$pages" = 3 ] || rw_fail "die PDF-Datei hat $pages Seiten statt 3"
rw_quit_app
rw_log "nach der Einrichtung 3 Blätter breit: $pages Seiten"
