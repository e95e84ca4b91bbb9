#!/usr/bin/env bash
# Times the commands of lindwerk-cli on large generated trees and prints one
# line per command: seconds, peak memory, exit code and the first message.
#   tools/measure-large.sh CLI DIR [NAME...]
# (LINDWERK_IMPORT_CLI, when set, imports and arranges instead of CLI.)
# DIR holds the GEDCOM files that `lindwerk-bench arrange-scale-files DIR`
# writes; each is imported, converted, dumped, arranged, refused as a print,
# drawn as a poster and rendered at a width of 4000 pixels.
set -uo pipefail
cli=$1
importer=${LINDWERK_IMPORT_CLI:-$1}
dir=$2
shift 2
names=("$@")
[ ${#names[@]} -gt 0 ] || names=(random-125000 random-250000 random-1000000 families-100000 siblings-100000)
run() {
    local label=$1
    shift
    local log
    log=$(mktemp)
    /usr/bin/time -f '%e %U %S %M' -o "$log.time" "$@" >/dev/null 2>"$log"
    local rc=$?
    local secs user sys kb
    read -r secs user sys kb < <(tail -n 1 "$log.time")
    printf '%-18s %-18s %7.2f s wall %7.2f s cpu %6d MB  exit %d  %s\n' "$name" "$label" "$secs" \
        "$(echo "$user + $sys" | bc)" $((kb / 1024)) "$rc" \
        "$(grep -v XDG_RUNTIME "$log" | head -n 1 | cut -c1-70)"
    rm -f "$log" "$log.time"
}
for name in "${names[@]}"; do
    sta="$dir/$name.sta"
    run import-gedcom "$importer" import-gedcom "$dir/$name.ged" "$sta"
    run convert "$cli" convert "$sta" "$dir/$name-c.sta"
    run dump "$cli" dump "$sta"
    run arrange "$importer" arrange "$sta" "$dir/$name-a.sta"
    run print-refused "$cli" print "$sta" "$dir/$name.pdf" --max-sheets 100
    run print-skip-refused "$cli" print "$sta" "$dir/$name.pdf" --skip-empty --max-sheets 100
    run poster-pdf "$cli" poster "$sta" "$dir/$name-poster.pdf"
    run poster-svg "$cli" poster "$sta" "$dir/$name-poster.svg"
    run render-4000px "$cli" render "$sta" "$dir/$name.png" --width-px 4000
    rm -f "$dir/$name-c.sta" "$dir/$name-a.sta" "$dir/$name-poster.svg"
done
