#!/usr/bin/env bash
# Checks the shape of the source tree (docs/naming.md):
# - a file of a layer folder includes only its own folder and the layers
#   below it: platform < picture < document < gedcom, chart < print <
#   session < app, cli; gedcom and chart are siblings, so are app and cli,
#   and neither of a pair includes the other;
# - code outside gui/ folders, app/ and tests includes no gui/ folder, and
#   cli/ includes no app/;
# - no two folders include each other;
# - no source file is longer than 600 lines (the known exceptions below
#   are to be split; one that got shorter is named, and then leaves the list).
#   tools/check-layers.sh [SOURCE_ROOT]
set -uo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root" || exit 2
maxLines=600
# Files that are longer today, each to be split; remove a name once it is.
knownLong=(tests/test_poster.cpp)

declare -A rank=([platform]=0 [picture]=1 [document]=2 [gedcom]=3 [chart]=3
                 [print]=4 [session]=5 [app]=6 [cli]=6)
failures=0
fail() {
    echo "$1" >&2
    failures=$((failures + 1))
}

edges=$(mktemp)
trap 'rm -f "$edges"' EXIT
for layer in "${!rank[@]}"; do
    [ -d "$layer" ] || continue
    while IFS= read -r file; do
        folder=$(dirname "$file")
        while IFS= read -r included; do
            case "$included" in
            ../* | */../*)
                fail "$file: includes \"$included\" past its folder"
                continue
                ;;
            esac
            target=${included%%/*}
            [ -n "${rank[$target]+x}" ] || continue
            [ "$included" = "${included#*/}" ] && continue
            targetFolder=$(dirname "$included")
            [ "$targetFolder" != "$folder" ] && echo "$folder $targetFolder" >>"$edges"
            if [ "$target" != "$layer" ] && [ "${rank[$target]}" -ge "${rank[$layer]}" ]; then
                fail "$file: includes \"$included\", a layer above or beside $layer"
            fi
            if [[ "/$targetFolder/" == */gui/* && "/$folder/" != */gui/* && "$layer" != app ]]; then
                fail "$file: includes \"$included\", widget code, outside a gui/ folder"
            fi
        done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
    done < <(find "$layer" -type f \( -name '*.cpp' -o -name '*.h' \) | sort)
done

# Folders that include each other.
sort -u "$edges" | while read -r from to; do
    if grep -qx "$to $from" "$edges" && [[ "$from" < "$to" ]]; then
        echo "$from and $to include each other"
    fi
done >"$edges.mutual"
while IFS= read -r line; do fail "$line"; done <"$edges.mutual"
rm -f "$edges.mutual"

# Long files, in everything that is built or run.
# The program's own files: in a git checkout the ones git tracks (a build
# folder of any name is left out), elsewhere every file below.
sourceFiles() {
    if [ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$(pwd -P)" ]; then
        git ls-files -- '*.cpp' '*.h' | sort
    else
        find . -path './build*' -prune -o -path './.git' -prune -o -type f \
            \( -name '*.cpp' -o -name '*.h' \) -print | sed 's|^\./||' | sort
    fi
}

while IFS= read -r file; do
    lines=$(wc -l <"$file")
    known=0
    for k in "${knownLong[@]}"; do [ "$file" = "$k" ] && known=1; done
    if [ "$lines" -gt "$maxLines" ] && [ "$known" = 0 ]; then
        fail "$file: $lines lines, more than $maxLines"
    fi
    if [ "$lines" -le "$maxLines" ] && [ "$known" = 1 ]; then
        echo "$file: $lines lines now; it can leave the known exceptions"
    fi
done < <(sourceFiles)

if [ "$failures" -gt 0 ]; then
    echo "$failures faults in the shape of the source tree" >&2
    exit 1
fi
echo "layers and file lengths in order"
