#!/usr/bin/env bash
# The font dialog in the real window ("Schriftart..." on the settings page):
# the family and size typed into it become the box font, which the settings
# file keeps.
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
rw_init font "$@"

rw_start_app
rw_click "$RW_MAIN" $RW_SETTINGS_TAB_X $RW_TAB_Y
rw_click "$RW_MAIN" $RW_FONT_X $RW_FONT_Y
dialog=$(rw_wait_window '^Schriftart auswählen$')
rw_focus "$dialog"
rw_type "DejaVu Serif"      # the family field has the focus
rw_key alt+g ctrl+a         # "Größe"
rw_type 14
rw_shot font-dialog
rw_key Return
rw_wait_gone '^Schriftart auswählen$'
rw_quit_app
rw_expect_setting FontDialog1_FontName "DejaVu Serif"
rw_expect_setting FontDialog1_FontSize 14
rw_log "Schrift DejaVu Serif 14 in den Einstellungen"
