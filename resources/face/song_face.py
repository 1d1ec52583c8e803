#!/usr/bin/python3
"""Writes the window's Song-style face as C++ source: the first face of a CJK
collection (AR PL UMing CN), cut down to the characters the window itself
shows, under a family name of its own; and a bold face of it for the bold
boxes (below).

    song_face.py COLLECTION OUT.cpp SOURCE...

The characters are printable ASCII and Latin-1 (so that fontconfig, and so
Qt, count the face as Latin: Qt then shares one engine a size among the
scripts of a text instead of loading one for each), every character beyond
ASCII in the SOURCE files (the window's captions, list entries and messages)
and the auto-hinter's samples (below). Outlines, hinting, embedded bitmaps,
metrics and layout tables are kept as they are, so the glyphs draw exactly as
from the whole face.

Why: the whole collection is a 21 MB file that the program would map, and
every glyph drawn from it pulls the pages around it in (some 64 KiB a glyph),
about 5 MiB resident for the few dozen glyphs of the window. The subset is
under 300 KB, inside the program, and only the pages of the glyphs drawn are
touched.
"""
import io
import logging
import math
import sys

from fontTools import subset
from fontTools.ttLib import TTCollection
from fontTools.ttLib.tables._g_l_y_f import GlyphCoordinates

FAMILY = "Quillo AR PL UMing CN"
BOLD_FAMILY = "Quillo AR PL UMing CN Bold"

# The bold face: the face has no bold, and Qt's synthetic bold widens a stroke
# by only a 24th of the em, which leaves this face's hairline strokes thin
# beside the bold Latin letters of the formula, result and history boxes.
# The bold face widens them by a 12th, for the full-width forms (U+FF01 to
# U+FF5E: full-width digits, operators and brackets typed with a Chinese
# input method) and the characters of the sources (the history's separator).
BOLD_STRENGTH = 1 / 12
FULL_WIDTH_FORMS = "".join(chr(c) for c in range(0xFF01, 0xFF5F))

# FreeType's auto-hinter, which hints this face (it has no hinting of its
# own), measures a script's blue zones and stem widths on sample characters
# of that script in the face: without them in the subset its glyphs would be
# hinted, and drawn, differently. The CJK samples (top, bottom, left, right),
# the CJK standard character, and the Greek samples and standard character
# (the face's "π" is hinted as Greek). The Latin samples are ASCII.
HINTER_SAMPLES = (
    "他们你來們到和地对對就席我时時會来為能舰說说这這齊军同已愿既星是景民照现現理用置要"
    "軍那配里開雷露面顾个为人以個大有看着主些因它想意生當者自著裡过还进進過道還"
    "她将將年得情最样樣通即吗吧听呢品响嗎师師收断斷明眼間间际陈限除陳随際隨"
    "事前學或政斯新沒没然特球第經谁起例別别制动動增指朝期构物确种調调費费都田"
    "ΓΒΕΖΘΟΩΔΞβθδζλξαειοπστωγημρφχψ")


def main(argv):
    args = list(argv[1:])
    if len(args) < 3:
        raise SystemExit(__doc__)
    collection, out, sources = args[0], args[1], args[2:]

    shown = set()
    for source in sources:
        shown.update(c for c in open(source, encoding="utf-8").read() if ord(c) > 0x7F)
    characters = {chr(c) for c in [*range(0x20, 0x7F), *range(0xA0, 0x100)]}
    characters |= set(HINTER_SAMPLES) | shown

    logging.getLogger("fontTools").setLevel(logging.ERROR)  # tables it drops by design
    # Each glyph as stored, its bounding box too: FreeType places the outline
    # by it, and a recomputed box would shift glyphs by a fraction of a pixel.
    face = TTCollection(collection, recalcBBoxes=False, recalcTimestamp=False).fonts[0]
    Cut(face, characters, keep_bitmaps=True)
    Rename(face, FAMILY, None)

    bold = TTCollection(collection, recalcBBoxes=False, recalcTimestamp=False).fonts[0]
    bold_characters = {c for c in shown if ord(c) > 0xFF} | set(FULL_WIDTH_FORMS)
    Cut(bold, bold_characters, keep_bitmaps=False)  # a bitmap cannot be widened
    Embolden(bold, BOLD_STRENGTH * bold["head"].unitsPerEm)
    Rename(bold, BOLD_FAMILY, "Bold")

    with open(out, "w", encoding="utf-8") as cpp:
        cpp.write("// The window's Song-style face and its bold, cut from the first face of\n"
                  f"// {collection.rsplit('/', 1)[-1]} when the program was built "
                  "(resources/face/song_face.py).\n"
                  "// Licensed under the Arphic Public License, as the whole face.\n"
                  "#include <cstddef>\n\nnamespace Quillo {\n")
        WriteFace(cpp, face, "kSongFace", "kSongFaceSize", "kSongFamily", FAMILY)
        WriteFace(cpp, bold, "kSongBoldFace", "kSongBoldFaceSize", "kSongBoldFamily", BOLD_FAMILY)
        cpp.write("\n}  // namespace Quillo\n")


def Cut(face, characters, keep_bitmaps):
    options = subset.Options()
    options.layout_features = ["*"]
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.notdef_outline = True
    if keep_bitmaps:
        options.drop_tables = [t for t in options.drop_tables if t not in ("EBDT", "EBLC")]
    else:
        options.drop_tables += ["EBDT", "EBLC", "EBSC"]
    cutter = subset.Subsetter(options)
    cutter.populate(unicodes=sorted(ord(c) for c in characters))
    cutter.subset(face)


# A family of its own, so that the face never stands in for the whole one;
# `style` names a bold face as such (weight, style bits), so that Qt draws it
# as it is and does not embolden it again.
def Rename(face, family, style):
    for record in face["name"].names:
        if record.nameID in (1, 4, 16):
            record.string = family
        elif record.nameID == 6:
            record.string = family.replace(" ", "")
        elif record.nameID in (2, 17) and style:
            record.string = style
    if style == "Bold":
        face["OS/2"].usWeightClass = 700
        face["OS/2"].fsSelection = (face["OS/2"].fsSelection & ~(1 << 6)) | (1 << 5)
        face["head"].macStyle |= 1


# Widens every stroke by `strength` font units, half on either side, as
# FreeType's emboldening does: each point moves away from the ink (TrueType
# contours run with the ink on their right) along the bisector of its two
# edges' normals. Each glyph then moves right by half the strength, and its
# advance grows by the strength, so that neighbours keep their distance.
def Embolden(face, strength):
    glyf, hmtx = face["glyf"], face["hmtx"]
    half = strength / 2
    for name in glyf.keys():
        glyph = glyf[name]
        advance, _ = hmtx[name]
        if glyph.numberOfContours > 0:
            glyph.coordinates = GlyphCoordinates(Widened(glyph, half))
            glyph.recalcBounds(glyf)
        if advance:
            hmtx[name] = (advance + round(strength), hmtx[name][1])
    for name in glyf.keys():  # composites, once their parts have moved
        glyph = glyf[name]
        if glyph.numberOfContours != 0:
            glyph.recalcBounds(glyf)
            hmtx[name] = (hmtx[name][0], glyph.xMin)


def Widened(glyph, half):
    points = list(glyph.coordinates)
    moved = []
    start = 0
    for end in glyph.endPtsOfContours:
        contour = points[start:end + 1]
        count = len(contour)
        for i, (x, y) in enumerate(contour):
            before = next((contour[(i - k) % count] for k in range(1, count)
                           if contour[(i - k) % count] != (x, y)), (x, y))
            after = next((contour[(i + k) % count] for k in range(1, count)
                          if contour[(i + k) % count] != (x, y)), (x, y))
            n1 = LeftNormal(x - before[0], y - before[1])
            n2 = LeftNormal(after[0] - x, after[1] - y)
            scale = half / max(1 + n1[0] * n2[0] + n1[1] * n2[1], 0.25)  # mitre, limited
            moved.append((round(x + (n1[0] + n2[0]) * scale + half),
                          round(y + (n1[1] + n2[1]) * scale)))
        start = end + 1
    return moved


def LeftNormal(dx, dy):
    length = math.hypot(dx, dy)
    return (-dy / length, dx / length) if length else (0.0, 0.0)


def WriteFace(cpp, face, data_name, size_name, family_name, family):
    buffer = io.BytesIO()
    face.save(buffer)
    data = buffer.getvalue()
    cpp.write(f"\nalignas(16) extern const unsigned char {data_name}[] = {{\n")
    for at in range(0, len(data), 24):
        cpp.write(",".join(str(b) for b in data[at:at + 24]) + ",\n")
    cpp.write(f"}};\nextern const std::size_t {size_name} = {len(data)};\n"
              f"extern const char {family_name}[] = \"{family}\";\n")


if __name__ == "__main__":
    main(sys.argv)
