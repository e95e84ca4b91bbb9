#!/bin/bash
# Feeds lindwerk-cli the bad inputs a user or another program can bring and
# prints one table row per try: what was tried, the exit code, the verdict and
# the first line the program said. A try passes when the program ends by
# itself (no crash, no signal, no time-out) with exit 0 or with exit 1 and a
# German message, and leaves no half-written output behind.
#
#   tools/break-inputs.sh [CLI] [WORKDIR]     (CLI defaults to build-dev/lindwerk-cli)
#   BREAK_QUICK=1 leaves out the slow tries (100,000 children, 30000² pictures)
#   BREAK_TIMEOUT=S ends a try after S seconds (default 180) as a failure
# What each try wrote to stderr is kept in WORKDIR/logs/.
set -u
CLI=$(realpath "${1:-build-dev/lindwerk-cli}")
WORK=${2:-$(mktemp -d /tmp/break-inputs.XXXXXX)}
mkdir -p "$WORK"
cd "$WORK" || exit 1
LIMIT=${BREAK_TIMEOUT:-180}
# Qt's English note about a missing runtime folder is the session's, not
# the program's: give it one, as a desktop session does.
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$WORK/runtime}
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
FAILS=0

row() { printf '%-30s %-24s %7s %4s  %-5s %s\n' "$1" "$2" "$6" "$3" "$4" "$5"; }
row "Eingabe" "Befehl (Zeit)" "Exit" "Urteil" "erste Meldung" "Spitze"
row "-------" "-------------" "----" "------" "-------------" "------"

# run CASE COMMAND ARGS...: one try; OUT (when set) is the output file that
# must be whole or absent afterwards.
run() {
    local name=$1 cmd=$2
    shift 2
    local start=$SECONDS
    rm -f "$WORK/peak.txt"
    # FSIZE (when set): the file size limit in KB, as `ulimit -f` sets it.
    /usr/bin/time -f %M -o "$WORK/peak.txt" bash -c 'ulimit -f "$0"; exec "$@"' \
        "${FSIZE:-unlimited}" ${RUNAS:-} timeout -s KILL "$LIMIT" "$CLI" "$cmd" "$@" \
        >"$WORK/out.txt" 2>"$WORK/err.txt"
    local rc=$?
    local peak="?"
    [ -s "$WORK/peak.txt" ] && peak="$(($(tail -1 "$WORK/peak.txt") / 1024)) MB"
    local secs=$((SECONDS - start))
    local first
    first=$(grep -a -v '^\s*$' "$WORK/err.txt" | head -1 | tr -d '\000' | cut -c1-90)
    [ -z "$first" ] && first=$(head -1 "$WORK/out.txt" | cut -c1-90)
    local verdict=ok
    if [ $rc -ge 124 ]; then
        verdict=FAIL
    elif [ $rc -eq 1 ] && [ ! -s "$WORK/err.txt" ]; then
        verdict=FAIL # failed without a word
    elif grep -aqE 'terminate called|Abort|AddressSanitizer|runtime error|QImageIOHandler|Corrupt JPEG|libpng' "$WORK/err.txt"; then
        verdict=FAIL # English or a crash report reached the user
    elif [ "$(tr -dc '\000' <"$WORK/err.txt" | wc -c)" -gt 0 ]; then
        verdict=FAIL # NUL bytes written to the terminal
    fi
    if [ -n "${OUT:-}" ] && ls "$OUT".* 2>/dev/null | grep -q -v -e '\.sta$' -e '\.png$' -e '\.pdf$' -e '\.ged$'; then
        verdict=FAIL # a temporary file was left behind
    fi
    [ "$verdict" = FAIL ] && FAILS=$((FAILS + 1))
    TRY=$((${TRY:-0} + 1))
    mkdir -p "$WORK/logs"
    cp "$WORK/err.txt" "$WORK/logs/$(printf %03d $TRY)-${name// /_}-$cmd.err"
    row "$name" "$cmd (${secs} s)" "$rc" "$verdict" "$first" "$peak"
    LAST_RC=$rc
}

# chain CASE FILE.ged: import, then arrange, render and print --skip-empty.
chain() {
    local name=$1 ged=$2
    OUT=$WORK/$name.sta run "$name" import-gedcom "$ged" "$WORK/$name.sta"
    [ -f "$WORK/$name.sta" ] || return
    OUT=$WORK/$name.arr.sta run "$name" arrange "$WORK/$name.sta" "$WORK/$name.arr.sta"
    [ -f "$WORK/$name.arr.sta" ] || return
    OUT=$WORK/$name.png run "$name" render "$WORK/$name.arr.sta" "$WORK/$name.png"
    OUT=$WORK/$name.pdf run "$name" print "$WORK/$name.arr.sta" "$WORK/$name.pdf" --skip-empty
}

python3 - "$WORK" "${BREAK_QUICK:-0}" <<'PY'
import os, sys, zlib, struct
work, quick = sys.argv[1], sys.argv[2] == "1"
def put(name, data):
    with open(os.path.join(work, name), "wb") as f:
        f.write(data)
head = b"0 HEAD\n1 CHAR UTF-8\n"
def indi(i, extra=b""):
    return b"0 @I%d@ INDI\n1 NAME P%d /Lind/\n" % (i, i) + extra
# a person its own parent, directly and over ten generations
put("cycle1.ged", head + indi(1, b"1 FAMC @F1@\n") + b"0 @F1@ FAM\n1 HUSB @I1@\n1 CHIL @I1@\n0 TRLR\n")
g = head
for i in range(1, 11):
    g += indi(i, b"1 FAMC @F%d@\n" % i)
for i in range(1, 11):
    g += b"0 @F%d@ FAM\n1 HUSB @I%d@\n1 CHIL @I%d@\n" % (i, i % 10 + 1, i)
put("cycle10.ged", g + b"0 TRLR\n")
put("twobirth.ged", head + indi(1, b"1 FAMC @F1@\n1 FAMC @F2@\n") + indi(2) + indi(3) +
    b"0 @F1@ FAM\n1 HUSB @I2@\n1 CHIL @I1@\n0 @F2@ FAM\n1 HUSB @I3@\n1 CHIL @I1@\n0 TRLR\n")
put("threehusb.ged", head + indi(1) + indi(2) + indi(3) + indi(4) +
    b"0 @F1@ FAM\n1 HUSB @I1@\n1 HUSB @I2@\n1 HUSB @I3@\n1 CHIL @I4@\n0 TRLR\n")
if not quick:
    n = 100000
    g = [head, indi(1), indi(2)]
    g += [indi(i, b"1 FAMC @F1@\n") for i in range(3, n + 3)]
    g.append(b"0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n")
    g += [b"1 CHIL @I%d@\n" % i for i in range(3, n + 3)]
    put("children100k.ged", b"".join(g) + b"0 TRLR\n")
put("line50mb.ged", head + indi(1, b"1 NOTE " + b"x" * (50 * 1024 * 1024) + b"\n") + b"0 TRLR\n")
put("conc1m.ged", head + indi(1, b"1 NOTE a\n" + b"2 CONC b\n" * 1000000) + b"0 TRLR\n")
deep = b"".join(b"%d _X%d v\n" % (lv, lv) for lv in range(1, 100)) + b"100 _TOO deep\n"
put("level99.ged", head + indi(1, deep) + b"0 TRLR\n")
put("badutf8.ged", head + indi(1, b"1 NOTE \xc3\x28 \xe2\x82 \xf0\x9f\x98 \xff\xfe \xed\xa0\x80\n") + b"0 TRLR\n")
text16 = (b"0 HEAD\n1 CHAR UNICODE\n" + indi(1) + b"0 TRLR\n").decode()
u16 = b"\xff\xfe" + text16.encode("utf-16-le")
put("badutf16.ged", u16[:40] + b"\x00\xd8\x41\x00" + u16[40:] + b"Z")  # lone surrogate, odd end
put("nul.ged", head + indi(1, b"1 NOTE a\x00b\n1 NA\x00ME x\n") + b"\x00\x00\x00\n0 TRLR\n")
put("dangling.ged", head + indi(1, b"1 FAMC @F9@\n1 FAMS @F1@\n") + indi(1) + indi(2, b"1 FAMC @F1@\n") +
    b"0 @F1@ FAM\n1 HUSB @I7@\n1 WIFE @I1@\n1 CHIL @I2@\n1 CHIL @I99@\n0 @F1@ FAM\n0 TRLR\n")
# a real JPEG named .ged
jpeg = bytes.fromhex("ffd8ffe000104a46494600010100000100010000ffdb004300") + bytes(64) + bytes.fromhex("ffd9")
put("photo.ged", jpeg)

# pictures
def png(w, h, rows):
    def chunk(t, d):
        return struct.pack(">I", len(d)) + t + d + struct.pack(">I", zlib.crc32(t + d) & 0xffffffff)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 0, 0, 0, 0)) + \
        chunk(b"IDAT", rows) + chunk(b"IEND", b"")
if not quick:
    c = zlib.compressobj(9)
    row = b"\x00" + b"\x80" * 30000
    parts = [c.compress(row) for _ in range(30000)]
    put("huge30000.png", png(30000, 30000, b"".join(parts) + c.flush()))
small = zlib.compress(b"".join(b"\x00" + b"\x80" * 16 for _ in range(16)))
put("lying.png", png(30000, 30000, small))  # header claims 30000², data for 16²
bmp = bytearray(54); bmp[0:2] = b"BM"
struct.pack_into("<IIIiiHH", bmp, 2, 70, 0, 54, 40, 30000, 30000, 1); bmp[28] = 24
put("lying.bmp", bytes(bmp) + b"\x7f" * 16)
def ppm(path, w, h):
    with open(path, "wb") as f:
        f.write(b"P6\n%d %d\n255\n" % (w, h))
        r = bytes((x * 7) % 256 for x in range(w * 3))
        for y in range(h):
            f.write(r)
ppm(os.path.join(work, "small.ppm"), 800, 600)
if not quick:
    ppm(os.path.join(work, "big8500.ppm"), 8500, 8500)
    ppm(os.path.join(work, "big10000.ppm"), 10000, 10000)
PY

for p in small big8500 big10000; do
    [ -f "$p.ppm" ] && cjpeg -quality 80 "$p.ppm" >"$p.jpg" && rm -f "$p.ppm"
done
head -c $(($(stat -c %s small.jpg) / 2)) small.jpg >truncated.jpg
rm -f fifo.jpg && mkfifo fifo.jpg
ln -sf /dev/zero zero.jpg

for g in cycle1 cycle10 twobirth threehusb children100k line50mb conc1m level99 badutf8 badutf16 nul dangling photo; do
    [ -f "$g.ged" ] && chain "$g" "$g.ged"
done

# One person with each picture, rendered and printed.
for pic in small.jpg big8500.jpg big10000.jpg huge30000.png truncated.jpg lying.png lying.bmp fifo.jpg zero.jpg missing.jpg; do
    [ "$pic" = missing.jpg ] || [ -e "$pic" ] || continue
    printf '0 HEAD\n1 SOUR LINDWERK\n0 @I1@ INDI\n1 NAME Bild /%s/\n1 OBJE\n2 FILE %s\n3 FORM jpg\n1 _LWPOS 0 0\n0 TRLR\n' \
        "$pic" "$WORK/$pic" >"pic-$pic.ged"
    "$CLI" import-gedcom "pic-$pic.ged" "pic-$pic.sta" >/dev/null 2>&1
    OUT=$WORK/pic-$pic.png run "Bild $pic" render "pic-$pic.sta" "pic-$pic.png"
    OUT=$WORK/pic-$pic.pdf run "Bild $pic" print "pic-$pic.sta" "pic-$pic.pdf"
done

# Outputs that cannot be written; the old file must stay as it was.
cp cycle10.sta old.sta
run "Ausgabe /dev/full" convert cycle10.sta /dev/full
run "Ausgabe /dev/full" render cycle10.sta /dev/full
run "Ausgabe /dev/full" export-gedcom cycle10.sta /dev/full
mkdir -p ro && cp old.sta ro/t.sta && chmod a-w ro
# root may write anywhere: the read-only tries then run as nobody.
RO_AS=""
if [ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null; then
    mkdir -p runtime-nobody && chown 65534:65534 runtime-nobody && chmod 700 runtime-nobody
    RO_AS="env XDG_RUNTIME_DIR=$WORK/runtime-nobody HOME=$WORK/runtime-nobody setpriv --reuid=65534 --regid=65534 --clear-groups"
    chmod a+rx "$WORK" && chmod a+r cycle10.sta
fi
RUNAS=$RO_AS run "Ordner schreibgeschützt" convert cycle10.sta ro/t.sta
RUNAS=$RO_AS run "Ordner schreibgeschützt" print cycle10.sta ro/t.pdf
cmp -s old.sta ro/t.sta || { row "Ordner schreibgeschützt" "alte Datei" "-" "FAIL" "verändert" "-"; FAILS=$((FAILS + 1)); }
chmod u+w ro
mkdir -p adir
run "Ausgabe ist Ordner" convert cycle10.sta adir
run "Ausgabe ist Ordner" render cycle10.sta adir
cp old.sta limited.sta
FSIZE=1 OUT=$WORK/limited run "ulimit -f 1 (1 KB)" convert line50mb.sta limited.sta
FSIZE=1 run "ulimit -f 1 (1 KB)" render cycle10.sta limited.png
FSIZE=1 run "ulimit -f 1 (1 KB)" import-gedcom conc1m.ged limited2.sta
FSIZE=1 run "ulimit -f 1 (1 KB)" print cycle10.sta limited.pdf
cmp -s old.sta limited.sta || { row "ulimit -f" "alte Datei" "-" "FAIL" "verändert" "-"; FAILS=$((FAILS + 1)); }

# Two processes converting onto one file, 50 times: always one whole tree.
bad=0
for i in $(seq 50); do
    "$CLI" convert cycle10.sta race.sta 2>/dev/null &
    "$CLI" convert twobirth.sta race.sta 2>/dev/null &
    wait
    cmp -s race.sta cycle10.sta || cmp -s race.sta twobirth.sta || bad=$((bad + 1))
done
leftovers=$(ls race.sta?* 2>/dev/null | wc -l)
verdict=ok; [ $bad -eq 0 ] && [ "$leftovers" -eq 0 ] || { verdict=FAIL; FAILS=$((FAILS + 1)); }
row "2 Prozesse × 50 auf 1 Datei" "convert" "-" "$verdict" "$bad halbe Dateien, $leftovers Reste" "-"

echo
echo "$FAILS Versuche fehlgeschlagen (Arbeitsordner $WORK)"
[ "$FAILS" -eq 0 ]
