#!/usr/bin/env python3
"""Writes the part of a Song face that the program's own texts use, under a family name of its own.

    facesubset.py FONT INDEX FAMILY OUT TEXT...

FONT is a .ttf or .ttc, INDEX the face in it, FAMILY the new family name and OUT the file written.
Every character in the TEXT files (UTF-8; a Qt .ts catalogue counts as text) is kept, with the
characters the program writes itself (Latin-1, such as the no-break spaces of a mole's analysis,
general and CJK punctuation, and the full-width forms) and those the autohinter measures the face
on. Outlines, hinting, embedded bitmaps, metrics and layout tables are kept
as the face has them, so that a kept character is drawn exactly as the full face draws it; only
glyphs no kept character reaches are left out, and the glyphs keep their order.

The program puts the full face behind this one, so a character of a user's own text that is not
kept comes from the full face, drawn the same.
"""

import datetime
import os
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

# FreeType's autohinter, which hints these faces for Qt, measures a Han face's standard stems on
# 田 and 囗 and its top and bottom zones on the characters below (FreeType 2.12's afblue.dat). A
# part without them would be hinted to other zones than the whole face: every character of it
# would be drawn a pixel off here and there.
AUTOHINTER_CHARACTERS = (
    "田囗"
    "他们你來們到和地对對就席我时時會来為能舰說说这這齊军同已愿既星是景民照现現理用置要軍那配里開雷露面顾"
    "个为人他以们你來個們到和大对對就我时時有来為要說说主些因它想意理生當看着置者自著裡过还进進過道還里面"
)


def main():
    if len(sys.argv) < 6:
        sys.exit(__doc__)
    font_path, index, family, out = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4]
    ranges = ((0x20, 0x7E), (0xA0, 0xFF), (0x2000, 0x206F), (0x3000, 0x303F), (0xFF00, 0xFFEF))
    characters = {chr(c) for first, last in ranges for c in range(first, last + 1)}
    characters.update(AUTOHINTER_CHARACTERS)
    for path in sys.argv[5:]:
        with open(path, encoding="utf-8") as text:
            characters.update(c for c in text.read() if ord(c) >= 0x20)

    options = subset.Options()
    options.layout_features = ["*"]
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.name_legacy = True
    options.hinting = True
    options.legacy_kern = True
    options.notdef_outline = True
    options.glyph_names = True
    options.recalc_bounds = False
    options.recalc_timestamp = False
    options.prune_unicode_ranges = False
    options.recalc_average_width = False
    options.recalc_max_context = False
    options.canonical_order = False
    # Embedded bitmaps stay, for any size drawn from them.
    options.drop_tables = [t for t in options.drop_tables if t not in ("EBDT", "EBLC", "EBSC")]
    # FontForge's time stamp, the X11 bitmap properties and the old Apple morphing table: nothing
    # Qt reads.
    options.drop_tables += ["FFTM", "BDF", "mort"]

    font = TTFont(font_path, fontNumber=index, lazy=False, recalcBBoxes=False,
                  recalcTimestamp=False)
    subsetter = subset.Subsetter(options)
    subsetter.populate(text="".join(sorted(characters)))
    subsetter.subset(font)

    names = font["name"]
    old = names.getDebugName(1)
    # The face's licence asks that a changed file say how and when it was changed.
    when = datetime.datetime.fromtimestamp(
        int(os.environ.get("SOURCE_DATE_EPOCH", datetime.datetime.now().timestamp())),
        datetime.timezone.utc).strftime("%Y-%m-%d")
    notice = (f"Changed by Lorvex 2004's build (tools/facesubset) on {when}: only the glyphs of "
              f"the program's own texts kept, from {os.path.basename(font_path)} face {index}; "
              f"family {old} renamed {family}.")
    names.setName(notice, 10, 3, 1, 0x409)
    names.setName(notice, 10, 1, 0, 0)
    for record in names.names:
        if record.nameID in (1, 3, 4, 16, 21):
            record.string = record.toUnicode().replace(old, family)
        elif record.nameID == 6:
            record.string = family.replace(" ", "")
    font.save(out, reorderTables=False)


if __name__ == "__main__":
    main()
