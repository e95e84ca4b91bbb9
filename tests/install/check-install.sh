#!/usr/bin/env bash
# Installs the build into a scratch folder as `cmake --install` would onto a
# system, and checks what the desktop reads there: the desktop entry and the
# file type validate, the file type recognises trees by their first bytes and
# by name, the icons have their sizes, the manual pages format cleanly and
# the installed programs run.
#   check-install.sh BUILD_DIR MIME_PROBE
set -euo pipefail
build=$1
probe=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix="$scratch/usr"
fail() { echo "FEHLER: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/lindwerk bin/lindwerk-cli libexec/lindwerk/lindwerk-draw \
         share/applications/lindwerk.desktop \
         share/mime/packages/lindwerk.xml share/icons/hicolor/scalable/apps/lindwerk.svg \
         share/man/man1/lindwerk.1 share/man/man1/lindwerk-cli.1; do
    [ -e "$prefix/$f" ] || fail "$f fehlt"
done

desktop-file-validate "$prefix/share/applications/lindwerk.desktop"
grep -q '^Categories=.*Office;' "$prefix/share/applications/lindwerk.desktop" ||
    fail "Kategorie Office fehlt"
xmllint --noout "$prefix/share/mime/packages/lindwerk.xml"
xmllint --noout "$prefix/share/icons/hicolor/scalable/apps/lindwerk.svg"

for size in 16 24 32 48 64 128 256; do
    png="$prefix/share/icons/hicolor/${size}x${size}/apps/lindwerk.png"
    file "$png" | grep -q "PNG image data, $size x $size," || fail "$png ist nicht $size x $size"
done

for page in lindwerk lindwerk-cli; do
    warnings=$(LC_ALL=C.UTF-8 groff -man -ww -z -K utf8 "$prefix/share/man/man1/$page.1" 2>&1)
    [ -z "$warnings" ] || fail "$page.1: $warnings"
done

# The type database as the desktop builds it, from the installed type only.
XDG_DATA_DIRS="$prefix/share" update-mime-database "$prefix/share/mime"
type=application/x-lindwerk-stammbaum
[ -e "$prefix/share/mime/$type.xml" ] || fail "$type nicht in der Typdatenbank"
data="$scratch/data"
mkdir -p "$data"
# The four revisions, each in a file whose name says nothing.
for magic in '\xfc\xca' '\xfd\xca' '\xfe\xca' '\xff\xca'; do
    printf "${magic}\x00\x00\x03\x00\x00\x00" > "$data/baum-$((n = ${n:-0} + 1)).bin"
done
printf 'GIF89a\x01\x00\x01\x00' > "$data/bild.bin"
printf '\xfc\xca\x01\x00' > "$data/fast.bin" # a larger number: not a tree
: > "$data/leer.sta"
run_probe() {
    XDG_DATA_DIRS="$prefix/share" XDG_DATA_HOME="$scratch/home" QT_QPA_PLATFORM=offscreen \
        "$probe" "$@"
}
mapfile -t byContent < <(run_probe content "$data"/baum-{1,2,3,4}.bin "$data/bild.bin" "$data/fast.bin")
for i in 0 1 2 3; do
    [ "${byContent[$i]}" = "$type" ] || fail "Revision $i nicht erkannt: ${byContent[$i]}"
done
[ "${byContent[4]}" != "$type" ] || fail "ein Bild gilt als Stammbaum"
[ "${byContent[5]}" != "$type" ] || fail "fremde Bytes gelten als Stammbaum"
[ "$(run_probe default "$data/leer.sta")" = "$type" ] || fail ".sta nicht am Namen erkannt"

"$prefix/bin/lindwerk-cli" --version | grep -q '^lindwerk-cli ' || fail "lindwerk-cli --version"
"$prefix/bin/lindwerk" --version | grep -q '^lindwerk ' || fail "lindwerk --version"
# The installed lindwerk-cli finds its drawing program beside bin.
printf '0 HEAD\n0 @I1@ INDI\n1 NAME Anna /Ulm/\n0 TRLR\n' > "$data/eine.ged"
"$prefix/bin/lindwerk-cli" import-gedcom "$data/eine.ged" "$data/eine.sta" 2>/dev/null ||
    fail "import-gedcom"
HOME="$scratch/home" "$prefix/bin/lindwerk-cli" render "$data/eine.sta" "$data/eine.png" ||
    fail "render über lindwerk-draw"
file "$data/eine.png" | grep -q "PNG image data" || fail "render schrieb kein PNG"
echo "Installation geprüft"
