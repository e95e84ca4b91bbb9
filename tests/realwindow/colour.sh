#!/usr/bin/env bash
# The colour dialog in the real window ("More..." of the border colour on
# the settings page): the colour typed into it becomes the border colour,
# which the settings file keeps (0x00BBGGRR).
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
rw_init colour "$@"

rw_start_app
rw_click "$RW_MAIN" $RW_SETTINGS_TAB_X $RW_TAB_Y
rw_open_last_entry "$RW_MAIN" $RW_BORDER_X $RW_BORDER_Y
dialog=$(rw_wait_window '^Farbauswahl$')
rw_focus "$dialog"
rw_key alt+r ctrl+a # "Rot"
rw_type 51
rw_key alt+g ctrl+a # "Grün"
rw_type 102
rw_key alt+u ctrl+a # "Blau"
rw_type 153
rw_shot colour-dialog
rw_key Return
rw_wait_gone '^Farbauswahl$'
rw_quit_app
rw_expect_setting BorderColorBox_ColorValue $((0x996633))
rw_log "Rahmenfarbe #336699 in den Einstellungen"
