#!/usr/bin/env bash
# "Speichern unter..." in the real window: the tree is written under the
# typed name (the extension added), the title names it, and the file reads
# back with the same persons and layout.
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
rw_init save-as "$@"

tree="$RW_WORK/familie.sta"
rw_make_tree "$tree"
rw_start_app "$tree"
rw_key ctrl+shift+s
dialog=$(rw_wait_window '^Speichern unter$')
rw_focus "$dialog"
rw_key ctrl+a
rw_type "$RW_WORK/Kopie von Familie"
rw_shot save-dialog
rw_key Return
rw_wait_gone '^Speichern unter$'
rw_wait_window '^Morvane Lindwerk 3\.0 - Kopie von Familie\.sta$' >/dev/null
rw_quit_app
copy="$RW_WORK/Kopie von Familie.sta"
[ -s "$copy" ] || rw_fail "keine Datei \"$copy\""
"$RW_CLI" dump "$tree" >"$RW_WORK/original.json" || rw_fail "der Stammbaum liest sich nicht"
"$RW_CLI" dump "$copy" >"$RW_WORK/copy.json" || rw_fail "die Kopie liest sich nicht"
grep -q 'Clara' "$RW_WORK/copy.json" || rw_fail "die Kopie hat ihre Personen verloren"
diff "$RW_WORK/original.json" "$RW_WORK/copy.json" >&2 ||
    rw_fail "die Kopie liest sich anders als der Stammbaum"
rw_log "unter \"Kopie von Familie.sta\" gespeichert und gleich gelesen"
