#!/usr/bin/env bash
# Runs one real-window check on an X server of its own:
#   run.sh CHECK WORKDIR LINDWERK LINDWERK_CLI
# CTest runs every check (ctest -R RealWindow); each leaves pictures of the
# screen at its steps in WORKDIR/shots, and on a failure one of the moment.
# The server does not start over when its last client goes (-noreset): a
# client that connects just then would be refused.
# xvfb-run -a takes the first free display from a number of this run's
# choosing; when two servers still race for one display (checks run side by
# side, other test runs on the machine), the server does not come up, or
# comes up unreachable, and the check is started again on another display.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
check=$1
work=$2
shift 2
for tool in xvfb-run xauth openbox xdotool import xprop pdfinfo; do
    command -v "$tool" >/dev/null ||
        { echo "[$check] $tool fehlt (tools/install-deps.sh installiert es)" >&2; exit 1; }
done
for attempt in 1 2 3; do
    mkdir -p "$(dirname "$work")"
    started="$work.started"
    rm -f "$started"
    server=$((200 + (RANDOM + $$ * 7 + attempt * 101) % 700))
    xvfb-run -a -n "$server" -e "$work.xvfb.log" \
        -s "-screen 0 1280x1024x24 -dpi 96 -nolisten tcp -noreset" \
        bash -c 'touch "$1"; shift; exec bash "$@"' _ "$started" \
        "$here/$check.sh" "$work" "$@"
    rc=$?
    # 75: the check found no X server to talk to.
    [ -e "$started" ] && [ $rc -ne 75 ] && exit $rc
    echo "[$check] der X-Server kam nicht hoch (Versuch $attempt), noch einmal" >&2
    cat "$work.xvfb.log" >&2 2>/dev/null || true
done
exit 1
