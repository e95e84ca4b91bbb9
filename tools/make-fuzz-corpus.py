#!/usr/bin/env python3
"""Writes the seed files of the fuzz targets into fuzz/corpus/<target>/.

Every seed is made here, byte by byte: family tree files of each revision,
small pictures of each kind the picture library reads (and one that claims a
giant size), and settings files. Run again after changing it; the files are
kept in the repository.
"""
import os
import struct
import zlib

TOP = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "fuzz", "corpus")


def write(target, name, data):
    folder = os.path.join(TOP, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


# ---- family tree files ------------------------------------------------------

def i32(v):
    return struct.pack("<i", v)


def u32(v):
    return struct.pack("<I", v & 0xFFFFFFFF)


def text(s):
    b = s.encode("cp1252")
    return i32(len(b)) + b


def font(name, ppi=96, size=8, style=0):
    b = name.encode("cp1252")
    return bytes([0]) + u32(0) + bytes([len(b)]) + b + bytes([0]) + i32(ppi) + i32(size) + bytes([style])


def box_words():
    return u32(0x00E1FFFF) + u32(0) + i32(168) + i32(96) + i32(50) + i32(1) + i32(1)


def person_current(surname, given, birth, death, picture, father, mother, lines, x, y):
    out = text(surname) + text(given) + text(birth) + text(death) + text(picture)
    out += i32(father) + i32(mother) + i32(len(lines)) + b"".join(text(l) for l in lines)
    return out + i32(x) + i32(y)


def current(persons, area=(60, 60), caption="Familie Lind"):
    out = u32(0xCAFC) + i32(len(persons)) + b"".join(persons)
    out += i32(area[0]) + i32(area[1]) + box_words() + text(caption)
    out += font("Arial Black", 96, 14, 1) + font("Arial", 96, 8)
    return out + struct.pack("<ddd", 10.0, 5.0, 7.5)


def grid_file(magic, n, persons, cells):
    out = u32(magic) + i32(len(persons))
    for surname, given, father, mother in persons:
        out += text(surname) + text(given) + text("1.1.1900") + text("") + text("")
        out += i32(father) + i32(mother) + i32(1) + text("Bauer")
    for x in range(n):
        for y in range(n):
            index = cells.get((x, y))
            out += (bytes([1, 0, 0, 0]) + i32(index)) if index is not None else bytes(8)
    return out + box_words()


def oldest(persons):
    out = u32(0xCAFE) + i32(len(persons))
    for surname, given, born, died in persons:
        out += text(surname) + text(given) + struct.pack("<dd", born, died)
        out += i32(-1) + i32(-1) + i32(0)
    return out


def write_sta(name, data):
    # The reader and the rewriting start from the same trees.
    for target in ("sta", "sta_rewrite"):
        write(target, name, data)


def sta_seeds():
    family = [
        person_current("Lind", "Anna", "1.2.1900", "3.4.1980", "Bilder\\anna.png", -1, -1,
                       ["Bäuerin", "in Moor"], 0, 0),
        person_current("Lind", "Karl", "", "", "", -1, -1, [], 1, 0),
        person_current("Lind", "Paul", "5.6.1930", "", "", 1, 0, ["Schmied"], 0, 1),
        person_current("Ohne", "Platz", "", "", "", 7, 2, [], -1, -1),
        person_current("Zweiter", "auf (0,0)", "", "", "", -1, -1, [], 0, 0),
    ]
    write_sta("leer.sta", current([]))
    write_sta("familie.sta", current(family, (200, 100)))
    write_sta("ecke.sta", current([person_current("Fern", "", "", "", "", -1, -1, [], 999999, 999999)],
                                     (1000000, 1000000), ""))
    write_sta("raster60.sta",
          grid_file(0xCAFF, 60, [("Alt", "Anna", -1, -1), ("Alt", "Ben", 0, -1)], {(0, 0): 0, (3, 2): 1}))
    write_sta("aeltest.sta", oldest([("Erst", "Emil", 1.0, 30000.5), ("Erst", "Ida", -700000.0, 1e300)]))


# ---- pictures ------------------------------------------------------------------

def bmp(w, h, bits, palette=b"", pixels=None, claimed=None):
    stride = ((w * bits + 31) // 32) * 4
    data = pixels if pixels is not None else bytes(stride * h)
    cw, ch = claimed or (w, h)
    header = struct.pack("<IiiHHIIiiII", 40, cw, ch, 1, bits, 0, len(data), 2835, 2835,
                         len(palette) // 4, 0)
    offset = 14 + len(header) + len(palette)
    return b"BM" + struct.pack("<IHHI", offset + len(data), 0, 0, offset) + header + palette + data


def png(w, h, color_type, bit_depth, rows, palette=None, claimed=None):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    cw, ch = claimed or (w, h)
    out = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", cw, ch, bit_depth, color_type, 0, 0, 0))
    if palette:
        out += chunk(b"PLTE", palette)
    raw = b"".join(b"\x00" + r for r in rows)
    return out + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b"")


def gif(w, h):
    # Two colours, every pixel colour 0, LZW with a minimum code size of 2.
    out = b"GIF89a" + struct.pack("<HHBBB", w, h, 0x80, 0, 0) + b"\x00\x00\x00\xff\xff\xff"
    out += b"\x2c" + struct.pack("<HHHHB", 0, 0, w, h, 0)
    out += b"\x02\x02\x44\x01\x00"  # clear, 0, end
    return out + b"\x3b"


def picture_seeds():
    write("picture", "rgb24.bmp", bmp(3, 2, 24, pixels=bytes(range(24))))
    write("picture", "pal8.bmp", bmp(2, 2, 8, palette=b"\x00\x00\xff\x00\xff\x00\x00\x00",
                                     pixels=b"\x00\x01\x00\x00\x01\x00\x00\x00"))
    write("picture", "mono.bmp", bmp(9, 3, 1, palette=b"\x00\x00\x00\x00\xff\xff\xff\x00"))
    write("picture", "riesig.bmp", bmp(1, 1, 24, claimed=(200000, 200000)))
    write("picture", "rgba.png", png(2, 2, 6, 8, [b"\xff\x00\x00\x80\x00\xff\x00\xff"] * 2))
    write("picture", "grau.png", png(3, 1, 0, 8, [b"\x00\x80\xff"]))
    write("picture", "palette.png", png(4, 1, 3, 2, [b"\x1b"], palette=b"\x00\x00\x00\xff\x00\x00\x00\xff\x00\x00\x00\xff"))
    write("picture", "riesig.png", png(1, 1, 2, 8, [b"\x00\x00\x00"], claimed=(100000, 100000)))
    write("picture", "klein.gif", gif(4, 1))


# ---- settings files -----------------------------------------------------------

def settings_seeds():
    full = ("[TMainForm]\r\nFormVersion=0\r\nFlags=0\r\nShowCmd=1\r\nPixelsPerInch=96\r\n"
            "MinMaxPos(1280x1024)=-1,-1,-1,-1\r\nMinMaxPos=-1,-1,-1,-1\r\n"
            "NormPos(1280x1024)=232,166,870,678\r\nNormPos=232,166,870,678\r\nVisible=0\r\n"
            "BorderColorBox_ColorValue=0\r\nbkColorBox_ColorValue=14811135\r\n"
            "FontDialog1_FontCharset=0\r\nFontDialog1_FontColor=-16777208\r\n"
            "FontDialog1_FontHeight=-11\r\nFontDialog1_FontName=Arial\r\n"
            "FontDialog1_FontPitch=fpDefault\r\nFontDialog1_FontSize=8\r\n"
            "FontDialog1_FontStyle=[fsBold,fsItalic]\r\nHochEd_Value=96\r\nBreitEd_Value=168\r\n"
            "BildEd_Value=50\r\nTextausricht_ItemIndex=1\r\nLeblaufCheck_Checked=True\r\n")
    write("settings", "voll.ini", full.encode())
    write("settings", "zeilenvorschub.ini", full.replace("\r\n", "\n").encode())
    write("settings", "seltsam.ini",
          b"; Kommentar\n[Andere]\nx=1\n[tmainform]\n FormVersion = +0 \nFontDialog1_FontName=\"'Times'\"\r\r"
          b"FontDialog1_FontSize=-2147483648\nNormPos=a,2,,x\nShowCmd=3\n[TMainForm]\nZweite=1")
    write("settings", "leer.ini", b"")


def gedcom_seeds():
    head = b"0 HEAD\r\n1 SOUR LINDWERK\r\n1 GEDC\r\n2 VERS 5.5.1\r\n2 FORM LINEAGE-LINKED\r\n"
    family = (head + b"1 CHAR UTF-8\r\n1 _LWAREA 60 60\r\n"
              b"0 @I1@ INDI\r\n1 NAME Karl /Lind/\r\n1 BIRT\r\n2 DATE 12 FEB 1840\r\n"
              b"1 DEAT\r\n2 DATE ABT 1900\r\n1 FAMS @F1@\r\n1 _LWPOS 3 0\r\n"
              b"0 @I2@ INDI\r\n1 NAME Anna /M\xc3\xbcller/\r\n1 BIRT\r\n2 DATE BET 1841 AND 1843\r\n"
              b"1 FAMS @F1@\r\n1 NOTE Erste Zeile\r\n2 CONT zweite Zeile\r\n2 CONC  weiter\r\n"
              b"0 @I3@ INDI\r\n1 NAME Emil /Lind/\r\n1 BIRT\r\n2 DATE FROM 1870 TO 1871\r\n"
              b"1 FAMC @F1@\r\n1 OBJE\r\n2 FILE bilder/emil.jpg\r\n3 FORM jpg\r\n"
              b"0 @F1@ FAM\r\n1 HUSB @I1@\r\n1 WIFE @I2@\r\n1 CHIL @I3@\r\n0 TRLR\r\n")
    write("gedcom", "familie.ged", family)
    write("gedcom", "ansel.ged",
          head.replace(b"\r\n", b"\n") + b"1 CHAR ANSEL\n0 @I1@ INDI\n1 NAME J\xe8ager /M\xe8uller/\n"
          b"1 NOTE @N1@\n0 @N1@ NOTE Stra\xcfe\n1 CONT @@ zweite\n0 TRLR\n")
    write("gedcom", "utf16.ged", "\ufeff0 HEAD\r\n1 CHAR UNICODE\r\n0 @I1@ INDI\r\n"
          "1 NAME \u0141ukasz /Dvo\u0159\u00e1k/\r\n0 TRLR\r\n".encode("utf-16-le"))
    write("gedcom", "kaputt.ged", b"0 HEAD\r0 @I1@ INDI\r1 NAME /\r2 XYZ\r5 NAME zu tief\r"
          b"1 FAMC @F9@\r0 @F9@ FAM\r1 CHIL @I1@\r1 HUSB @I1@\r0 TRLR")


if __name__ == "__main__":
    sta_seeds()
    picture_seeds()
    settings_seeds()
    gedcom_seeds()
