#!/usr/bin/python3
"""Writes the window's Song-style face as C++ source: the first face of a CJK
collection (AR PL UMing CN), cut down to the characters the window itself
shows, under a family name of its own.

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
import sys

from fontTools import subset
from fontTools.ttLib import TTCollection

FAMILY = "Quillo AR PL UMing CN"

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

    characters = {chr(c) for c in [*range(0x20, 0x7F), *range(0xA0, 0x100)]}
    characters |= set(HINTER_SAMPLES)
    for source in sources:
        characters.update(c for c in open(source, encoding="utf-8").read() if ord(c) > 0x7F)

    logging.getLogger("fontTools").setLevel(logging.ERROR)  # tables it drops by design
    # Each glyph as stored, its bounding box too: FreeType places the outline
    # by it, and a recomputed box would shift glyphs by a fraction of a pixel.
    face = TTCollection(collection, recalcBBoxes=False, recalcTimestamp=False).fonts[0]
    options = subset.Options()
    options.layout_features = ["*"]
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.notdef_outline = True
    options.drop_tables = [t for t in options.drop_tables if t not in ("EBDT", "EBLC")]
    cutter = subset.Subsetter(options)
    cutter.populate(unicodes=sorted(ord(c) for c in characters))
    cutter.subset(face)

    # A family of its own, so that the face never stands in for the whole one.
    for record in face["name"].names:
        if record.nameID in (1, 4, 16):
            record.string = FAMILY
        elif record.nameID == 6:
            record.string = FAMILY.replace(" ", "")

    buffer = io.BytesIO()
    face.save(buffer)
    data = buffer.getvalue()

    with open(out, "w", encoding="utf-8") as cpp:
        cpp.write("// The window's Song-style face, cut from the first face of\n"
                  f"// {collection.rsplit('/', 1)[-1]} when the program was built "
                  "(resources/face/song_face.py).\n"
                  "// Licensed under the Arphic Public License, as the whole face.\n"
                  "#include <cstddef>\n\nnamespace Quillo {\n\n"
                  "alignas(16) extern const unsigned char kSongFace[] = {\n")
        for at in range(0, len(data), 24):
            cpp.write(",".join(str(b) for b in data[at:at + 24]) + ",\n")
        cpp.write(f"}};\nextern const std::size_t kSongFaceSize = {len(data)};\n\n"
                  f"extern const char kSongFamily[] = \"{FAMILY}\";\n\n"
                  "}  // namespace Quillo\n")


if __name__ == "__main__":
    main(sys.argv)
