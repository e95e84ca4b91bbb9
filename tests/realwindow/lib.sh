# Shared by the real-window checks: each check runs inside its own X server
# (xvfb-run -a), with a small window manager, a home and configuration
# folders of its own, starts the real program and drives it with xdotool.
#
#   source lib.sh; rw_init NAME WORKDIR LINDWERK LINDWERK_CLI
#
# Every wait polls with a deadline; on a failure the check takes a picture
# of the screen (WORKDIR/shots), names the windows it sees and ends the
# program. RW_SLOW multiplies the deadlines (the sanitizer build starts
# slower).
set -euo pipefail

rw_init() {
    RW_NAME=$1
    RW_WORK=$2
    RW_APP=$3
    RW_CLI=$4
    rm -rf "$RW_WORK"
    mkdir -p "$RW_WORK/home" "$RW_WORK/shots" "$RW_WORK/run"
    chmod 700 "$RW_WORK/run"
    export HOME="$RW_WORK/home"
    export XDG_CONFIG_HOME="$RW_WORK/home/.config"
    export XDG_DATA_HOME="$RW_WORK/home/.local/share"
    export XDG_CACHE_HOME="$RW_WORK/home/.cache"
    export XDG_RUNTIME_DIR="$RW_WORK/run"
    # The program's texts are German whatever the locale; this one is
    # always there and reads file names as UTF-8.
    export LANG=C.UTF-8 LC_ALL=C.UTF-8
    unset LANGUAGE || true
    # The real window on the X server, not the offscreen platform of the
    # other tests, and Qt's own dialogs rather than a desktop's.
    export QT_QPA_PLATFORM=xcb
    # The program draws without OpenGL; not loading it keeps the start short.
    export QT_XCB_GL_INTEGRATION=none
    unset QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE XDG_CURRENT_DESKTOP QT_SCALE_FACTOR \
        QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR DESKTOP_SESSION || true
    # Under the sanitizers: what the X11 platform's libraries keep is theirs.
    export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$(dirname "${BASH_SOURCE[0]}")/lsan-system.supp"
    RW_APP_PID=
    RW_WM_PID=
    RW_SHOT=0
    RW_SLOW=${RW_SLOW:-1}
    trap rw_cleanup EXIT
    rw_start_wm
}

rw_log() { echo "[$RW_NAME $(date +%T.%N | cut -c1-12)] $*" >&2; }

rw_cleanup() {
    local rc=$?
    if [ -n "$RW_APP_PID" ] && kill -0 "$RW_APP_PID" 2>/dev/null; then
        kill "$RW_APP_PID" 2>/dev/null || true
        for _ in $(seq 50); do kill -0 "$RW_APP_PID" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$RW_APP_PID" 2>/dev/null || true
    fi
    if [ -n "$RW_WM_PID" ]; then kill "$RW_WM_PID" 2>/dev/null || true; fi
    wait 2>/dev/null || true
    exit $rc
}

# A picture of the whole screen as the user sees it, WORKDIR/shots/NN-what.png.
rw_shot() {
    RW_SHOT=$((RW_SHOT + 1))
    local file
    file=$(printf '%s/shots/%02d-%s.png' "$RW_WORK" "$RW_SHOT" "$1")
    import -window root "$file" 2>/dev/null || rw_log "kein Bild des Bildschirms: $1"
    rw_log "Bild $(basename "$file")"
}

rw_windows() {
    local id
    for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
        echo "  $id $(xdotool getwindowname "$id" 2>/dev/null)"
    done
}

rw_fail() {
    rw_log "FEHLER: $*"
    rw_shot failure
    rw_log "sichtbare Fenster:"
    rw_windows >&2
    if [ -f "$RW_WORK/app.log" ]; then
        rw_log "Ausgabe des Programms:"
        tail -n 40 "$RW_WORK/app.log" >&2
    fi
    exit 1
}

# Deadline in tenths of a second for SECONDS (scaled by RW_SLOW).
rw_ticks() { echo $(($1 * 10 * RW_SLOW)); }

# The exit code of a check whose X server could not be reached: run.sh
# starts it again on another display.
RW_NO_SERVER=75

rw_start_wm() {
    command -v openbox >/dev/null || { rw_log "kein Fenstermanager (openbox)"; exit 1; }
    local n
    n=$(rw_ticks 10)
    until xprop -root >/dev/null 2>&1; do
        n=$((n - 1))
        if [ $n -le 0 ]; then
            rw_log "der X-Server $DISPLAY antwortet nicht"
            exit $RW_NO_SERVER
        fi
        sleep 0.1
    done
    openbox --sm-disable >"$RW_WORK/wm.log" 2>&1 &
    RW_WM_PID=$!
    n=$(rw_ticks 10)
    while ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
        n=$((n - 1))
        [ $n -gt 0 ] || rw_fail "der Fenstermanager kam nicht hoch"
        sleep 0.1
    done
}

# The first visible window whose name matches the extended regular
# expression PATTERN (case-insensitive), within SECONDS (default 20).
rw_wait_window() {
    local pattern=$1 n
    n=$(rw_ticks "${2:-20}")
    local id
    while :; do
        [ -z "$RW_APP_PID" ] || kill -0 "$RW_APP_PID" 2>/dev/null ||
            rw_fail "das Programm ist beendet, während auf \"$pattern\" gewartet wurde"
        id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | tail -n 1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        n=$((n - 1))
        [ $n -gt 0 ] || rw_fail "kein Fenster \"$pattern\""
        sleep 0.1
    done
}

# Waits until no visible window matches PATTERN.
rw_wait_gone() {
    local pattern=$1 n
    n=$(rw_ticks "${2:-20}")
    while xdotool search --onlyvisible --name "$pattern" >/dev/null 2>&1; do
        n=$((n - 1))
        [ $n -gt 0 ] || rw_fail "das Fenster \"$pattern\" bleibt offen"
        sleep 0.1
    done
}

# Waits until COMMAND... succeeds (polled), or fails with MESSAGE.
rw_wait_for() {
    local message=$1 seconds=$2
    shift 2
    local n
    n=$(rw_ticks "$seconds")
    until "$@" >/dev/null 2>&1; do
        n=$((n - 1))
        [ $n -gt 0 ] || rw_fail "$message"
        sleep 0.1
    done
}

# Starts the program with ARGS and waits for its main window; sets RW_MAIN.
rw_start_app() {
    "$RW_APP" "$@" >"$RW_WORK/app.log" 2>&1 &
    RW_APP_PID=$!
    RW_MAIN=$(rw_wait_window '^Morvane Lindwerk' 60)
    rw_focus "$RW_MAIN"
    rw_log "Hauptfenster $RW_MAIN"
}

# Raises and focuses window ID and waits until it has the focus.
rw_focus() {
    local n
    n=$(rw_ticks 10)
    xdotool windowactivate "$1" 2>/dev/null || true
    until [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; do
        n=$((n - 1))
        [ $n -gt 0 ] || rw_fail "das Fenster $1 bekommt den Fokus nicht"
        xdotool windowactivate "$1" 2>/dev/null || true
        sleep 0.1
    done
}

# Clicks at X, Y of window ID's client area.
rw_click() {
    xdotool mousemove --window "$1" "$2" "$3" click 1
}

# Types TEXT into the focused window.
rw_type() { xdotool type --delay 5 -- "$1"; }
rw_key() { xdotool key --delay 20 "$@"; }

# Ends the program through its own Exit command (Strg+Q), answering a
# save question with "Nein"; waits for it to end.
rw_quit_app() {
    rw_focus "$RW_MAIN"
    rw_key ctrl+q
    local n question
    n=$(rw_ticks 20)
    while kill -0 "$RW_APP_PID" 2>/dev/null; do
        question=$(xdotool search --onlyvisible --name '^Programm beenden$' 2>/dev/null | tail -n 1 || true)
        if [ -n "$question" ]; then
            rw_focus "$question"
            rw_shot save-question
            rw_key alt+n
            rw_wait_gone '^Programm beenden$'
        fi
        n=$((n - 1))
        [ $n -gt 0 ] || rw_fail "das Programm endet nicht"
        sleep 0.1
    done
    wait "$RW_APP_PID" || rw_fail "das Programm endete mit einem Fehler"
    RW_APP_PID=
    rw_log "Programm beendet"
}

# The number of pages of PDF file FILE (0 when it is none).
rw_pdf_pages() {
    pdfinfo "$1" 2>/dev/null | sed -n 's/^Pages: *//p' | grep . || echo 0
}

# A small tree, arranged: two generations, the parents five cells apart so
# that it needs two sheets side by side.
rw_make_tree() {
    cat >"$RW_WORK/familie.ged" <<'GED'
0 HEAD
1 CHAR UTF-8
0 @I1@ INDI
1 NAME Anna /Lindner/
1 BIRT
2 DATE 1 MAR 1901
1 FAMS @F1@
1 _LWPOS 0 0
0 @I2@ INDI
1 NAME Bruno /Lindner/
1 FAMS @F1@
1 _LWPOS 5 0
0 @I3@ INDI
1 NAME Clara /Lindner/
1 FAMC @F1@
1 _LWPOS 2 2
0 @F1@ FAM
1 HUSB @I2@
1 WIFE @I1@
1 CHIL @I3@
0 TRLR
GED
    "$RW_CLI" import-gedcom "$RW_WORK/familie.ged" "$1" >"$RW_WORK/import.log" 2>&1 ||
        rw_fail "der Stammbaum entsteht nicht: $(cat "$RW_WORK/import.log")"
}

# Where things are in the main window (its client area; the window opens at
# its designed size) and in the printer set-up.
RW_TAB_Y=41
RW_ARRANGE_TAB_X=230
RW_PRINT_TAB_X=328
RW_SETTINGS_TAB_X=423
RW_GO_X=265
RW_GO_Y=127
RW_SETUP_X=367
RW_SETUP_Y=127
RW_FONT_X=478
RW_FONT_Y=168
RW_BORDER_X=478
RW_BORDER_Y=141
RW_SHEETS_WIDE_X=101
RW_SHEETS_WIDE_Y=183
# The middle of cell (2, 2) of the arrange view at 100 %.
RW_CLARA_X=468
RW_CLARA_Y=476

rw_show_print_page() {
    rw_click "$RW_MAIN" $RW_PRINT_TAB_X $RW_TAB_Y
}

# Opens the drop-down list at X, Y of window ID and takes its last entry.
rw_open_last_entry() {
    local before n
    before=$(xdotool search --onlyvisible --class . 2>/dev/null | wc -l)
    rw_click "$1" "$2" "$3"
    n=$(rw_ticks 10)
    until [ "$(xdotool search --onlyvisible --class . 2>/dev/null | wc -l)" -gt "$before" ]; do
        n=$((n - 1))
        [ $n -gt 0 ] || rw_fail "die Liste bei $2, $3 öffnet sich nicht"
        sleep 0.1
    done
    rw_shot drop-down-list
    rw_key End Return
}

# After Go! or Strg+P: accepts the print dialog with the PDF file it
# proposes, then the sheet-count question, and waits for the file PDF.
# TAG names the pictures.
rw_print_through_dialogs() {
    local pdf=$1 tag=$2 dialog info
    dialog=$(rw_wait_window '^Drucken$')
    rw_focus "$dialog"
    rw_shot "$tag-print-dialog"
    rw_key Return
    info=$(rw_wait_window '^Information$')
    rw_focus "$info"
    rw_shot "$tag-sheet-count"
    rw_key Return
    rw_wait_for "keine PDF-Datei $pdf" 60 test -s "$pdf"
    rw_wait_gone '^(Drucken|Information)$'
    rw_shot "$tag-printed"
}

# The settings file holds KEY=VALUE.
rw_expect_setting() {
    local file="$XDG_CONFIG_HOME/Lindwerk/lindwerk.INI"
    [ -f "$file" ] || rw_fail "keine Einstellungsdatei $file"
    tr -d '\r' <"$file" | grep -qxF "$1=$2" ||
        rw_fail "in den Einstellungen steht nicht $1=$2: $(tr -d '\r' <"$file" | grep "^$1=" || true)"
}
