#!/usr/bin/env bash
# tools/check-layers.sh on small made-up trees: each case adds one file to
# a tree that passes and says whether the check must then fail.
#   check-layers-cases.sh CHECK_SCRIPT
set -uo pipefail
check=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A tree in order: every layer folder with a file that includes the one
# below it, a gui/ folder that includes its own layer, cli and its draw
# program one way.
base() {
    rm -rf "$work/tree" && mkdir -p "$work/tree" && cd "$work/tree" || exit 2
    mkdir -p platform picture document gedcom chart chart/gui print session app cli/draw
    echo '#pragma once' >platform/Canvas.h
    printf '#include "platform/Canvas.h"\n' >picture/Dib.h
    printf '#include "picture/Dib.h"\n#include <vector>\n' >document/Person.h
    printf '#include "document/Person.h"\n' >gedcom/Import.cpp
    printf '#include "document/Person.h"\n' >chart/Box.h
    printf '#include "chart/Box.h"\n' >chart/gui/View.h
    printf '#include "chart/Box.h"\n#include "platform/Canvas.h"\n' >print/Sheet.h
    printf '#include "print/Sheet.h"\n#include "chart/gui/View.h"\n' >app/Main.cpp
    printf '#include "gedcom/Import.h"\n' >cli/Commands.h
    printf '#include "cli/Commands.h"\n#include "print/Sheet.h"\n' >cli/draw/Render.cpp
    seq 600 >document/Long.cpp
}

faults=0
# passed or failed|file|contents (lines:N for a file of N lines)
while IFS='|' read -r expected file contents; do
    base
    case "$contents" in
    lines:*) seq "${contents#lines:}" >"$file" ;;
    *) [ -n "$file" ] && printf '%b' "$contents" >"$file" ;;
    esac
    bash "$check" "$work/tree" >/dev/null 2>&1
    rc=$?
    if { [ "$expected" = failed ] && [ "$rc" -eq 0 ]; } || { [ "$expected" = passed ] && [ "$rc" -ne 0 ]; }; then
        echo "the check should have $expected with $file: $contents (exit $rc)" >&2
        faults=$((faults + 1))
    fi
done <<'CASES'
passed||
passed|platform/Color.h|#include "platform/Canvas.h"\n#include <QColor>\n
failed|platform/Canvas.cpp|#include "picture/Dib.h"\n
failed|picture/Draw.cpp|  #  include "document/Person.h"\n
failed|gedcom/Export.cpp|#include "chart/Box.h"\n
failed|chart/Lines.cpp|#include "gedcom/Import.h"\n
failed|chart/Paint.cpp|#include "chart/gui/View.h"\n
failed|print/Job.cpp|#include "app/Main.h"\n
failed|cli/Dump.cpp|#include "app/Main.h"\n
failed|cli/Other.cpp|#include "chart/gui/View.h"\n
failed|app/Other.cpp|#include "cli/Commands.h"\n
passed|app/Window.cpp|#include "session/History.h"\n
failed|session/History.cpp|#include "app/Main.h"\n
failed|cli/Messages.cpp|#include "cli/draw/Render.h"\n
failed|document/Sneaky.cpp|#include "../print/Sheet.h"\n
failed|chart/TooLong.cpp|lines:601
passed|chart/JustShortEnough.h|lines:600
CASES
if [ "$faults" -gt 0 ]; then exit 1; fi
echo "all cases as expected"
