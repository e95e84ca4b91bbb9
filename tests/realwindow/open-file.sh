#!/usr/bin/env bash
# The open dialog in the real window: the typed tree is opened (its name in
# the title) and holds its persons (printed through Go!, two sheets).
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
rw_init open-file "$@"

tree="$RW_WORK/familie.sta"
rw_make_tree "$tree"
rw_start_app
rw_key ctrl+o
dialog=$(rw_wait_window '^Öffnen$')
rw_focus "$dialog"
rw_type "$tree"
rw_shot open-dialog
rw_key Return
rw_wait_gone '^Öffnen$'
rw_wait_window '^Morvane Lindwerk 3\.0 - familie\.sta$' >/dev/null
rw_shot opened
rw_quit_app
rw_log "familie.sta geöffnet"
