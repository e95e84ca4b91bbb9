#!/usr/bin/env bash
# Go! in the real window: the print dialog takes its input (no progress
# window over it), prints into the PDF file proposed beside the tree, the
# sheet-count question is answered, and the PDF holds the sheets.
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
rw_init go-print "$@"

tree="$RW_WORK/familie.sta"
rw_make_tree "$tree"
rw_start_app "$tree"
rw_shot main-window
rw_show_print_page
rw_click "$RW_MAIN" $RW_GO_X $RW_GO_Y
rw_print_through_dialogs "$RW_WORK/familie.pdf" go
pages=$(rw_pdf_pages "$RW_WORK/familie.pdf")
[ "$pages" = 2 ] || rw_fail "die PDF-Datei hat $pages Seiten statt 2"
rw_quit_app
rw_log "Go! druckte $pages Blätter in familie.pdf"
