"""Cuts DejaVu Sans down to the scripts and symbols the label preview draws and
renames it "DejaVu LGC Sans", so that the embedded copy never clashes with a
DejaVu Sans installed on the player's machine.

Usage: /usr/bin/python3 subset_font.py <DejaVuSans.ttf> <out.ttf> <license.txt>
"""
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

FAMILY = "DejaVu LGC Sans"
STYLE = "Book"
POSTSCRIPT = "DejaVuLGCSans"

# Latin, Greek and Cyrillic with their diacritics, punctuation and the symbol
# blocks players pick label symbols from.
RANGES = [
    (0x0020, 0x007E),  # Basic Latin
    (0x00A0, 0x024F),  # Latin-1 Supplement, Latin Extended-A and -B
    (0x0250, 0x02FF),  # IPA Extensions, Spacing Modifier Letters
    (0x0300, 0x036F),  # Combining Diacritical Marks
    (0x0370, 0x03FF),  # Greek and Coptic
    (0x0400, 0x052F),  # Cyrillic and Cyrillic Supplement
    (0x1E00, 0x1FFF),  # Latin Extended Additional, Greek Extended
    (0x2000, 0x214F),  # Punctuation, super/subscripts, currency, letterlike
    (0x2150, 0x21FF),  # Number Forms, Arrows
    (0x2200, 0x23FF),  # Mathematical Operators, Miscellaneous Technical
    (0x2500, 0x25FF),  # Box Drawing, Block Elements, Geometric Shapes
    (0x2600, 0x27BF),  # Miscellaneous Symbols, Dingbats
    (0x27F0, 0x27FF),  # Supplemental Arrows-A
    (0x2900, 0x297F),  # Supplemental Arrows-B
    (0x2B00, 0x2BFF),  # Miscellaneous Symbols and Arrows
    (0xFB00, 0xFB06),  # Latin ligatures
    (0xFFFC, 0xFFFD),  # Object and replacement characters
]

# DejaVu Sans has no CIRCLED WHITE BULLET, a symbol of the picker's palette; its
# CIRCLED RING OPERATOR is the same drawing, so the subset maps one onto the other.
BORROWED = {0x29BE: 0x229A}


def subset_font(source, target):
    # Keeping the source's timestamp makes the output the same byte for byte on every run.
    font = TTFont(source, recalcTimestamp=False)
    unicodes = [u for first, last in RANGES for u in range(first, last + 1)]
    options = subset.Options()
    options.layout_features = ["*"]
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.notdef_outline = True
    options.glyph_names = False
    options.hinting = False
    options.drop_tables += ["FFTM", "MATH"]
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=unicodes)
    subsetter.subset(font)
    borrow_glyphs(font)
    rename(font)
    font.save(target)
    return font


def borrow_glyphs(font):
    for table in font["cmap"].tables:
        if not table.isUnicode():
            continue
        for missing, donor in BORROWED.items():
            if missing not in table.cmap and donor in table.cmap and (missing <= 0xFFFF or table.format >= 12):
                table.cmap[missing] = table.cmap[donor]


def rename(font):
    name = font["name"]
    version = name.getDebugName(5) or ""
    new_names = {
        1: FAMILY,
        2: STYLE,
        3: f"{FAMILY} {STYLE} {version}".strip(),
        4: FAMILY,
        6: POSTSCRIPT,
        16: FAMILY,
        17: STYLE,
    }
    for record in name.names:
        if record.nameID in new_names:
            record.string = new_names[record.nameID]
    # Name ID 1 and 4 must exist even if the source lacked them on some platform.
    for name_id, text in new_names.items():
        if name.getName(name_id, 3, 1, 0x409) is None:
            name.setName(text, name_id, 3, 1, 0x409)


def write_license(font, target):
    name = font["name"]
    with open(target, "w", encoding="utf-8") as out:
        out.write(f"{FAMILY} ({POSTSCRIPT}.ttf) is a subset of DejaVu Sans, renamed as its\n")
        out.write("license asks of modified copies. Its copyright and license follow, as the\n")
        out.write("font itself carries them.\n\n")
        out.write(name.getDebugName(0).strip() + "\n\n")
        out.write(name.getDebugName(13).strip() + "\n")


def main():
    source, target, license_file = sys.argv[1:4]
    font = subset_font(source, target)
    write_license(font, license_file)


if __name__ == "__main__":
    main()
