#!/usr/bin/env python3
"""subset_fonts.py: cuts the faces the page ships down to the glyphs it draws.

Reads the shared interface data (the JSON that the web build's ui dump prints), finds for every
face of the title and the dialogs the characters drawn in it, gives each character to the first
stand-in face that has it, and writes one WOFF2 subset per shipped face, renamed as the IPA
licence asks of a derived font, with fonts.json (each subset's family, style and file, which the
page adds to its fonts, and the metrics it sizes the title's letters with) and the licence files
beside them.

usage: subset_fonts.py UI_JSON OUT_DIR
"""
import json
import math
import os
import shutil
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

IPA_LICENCE = "/usr/share/doc/fonts-ipafont-mincho/copyright"
URW_LICENCE = "/usr/share/doc/fonts-urw-base35/copyright"
DEJAVU_LICENCE = "/usr/share/doc/fonts-dejavu-core/copyright"

# The installed files behind the stand-in names of faces.h, and the family each is shipped as.
# IPA's licence forbids the original name on a derived font, so every subset gets the page's own.
SOURCES = {
    ("IPAPMincho", "normal"): ("/usr/share/fonts/opentype/ipafont-mincho/ipamp.ttf",
                               "Vennaloop Mincho", "mincho.woff2", IPA_LICENCE),
    ("C059", "normal"): ("/usr/share/fonts/opentype/urw-base35/C059-Roman.otf",
                         "Vennaloop Century", "century-roman.woff2", URW_LICENCE),
    ("C059", "italic"): ("/usr/share/fonts/opentype/urw-base35/C059-Italic.otf",
                         "Vennaloop Century", "century-italic.woff2", URW_LICENCE),
    ("IPAPGothic", "normal"): ("/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf",
                               "Vennaloop Gothic", "gothic.woff2", IPA_LICENCE),
    ("DejaVu Sans", "normal"): ("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                                "Vennaloop Sans", "sans.woff2", DEJAVU_LICENCE),
}
# The AGPL asks that a changed font's source goes with it: for these faces the source is the
# original font file, which is shipped beside the subsets.
SOURCE_SHIPPED = {URW_LICENCE}
LICENCE_FILES = {IPA_LICENCE: "LICENSE-IPA.txt", URW_LICENCE: "LICENSE-C059.txt",
                 DEJAVU_LICENCE: "LICENSE-DejaVu.txt"}
# Where the title's Latin face has no glyph for a Japanese character (the author's name), the
# desktop's font fallback reaches IPA's Gothic first; the page falls back to its Gothic likewise.
TITLE_FALLBACK = "IPAPGothic"


def shipped(stand_in, style):
    """The source of a stand-in in a style; an italic missing is the upright face slanted."""
    return SOURCES.get((stand_in, style)) or SOURCES.get((stand_in, "normal"))


def collect_usage(ui):
    """(face, style) -> the characters drawn in it."""
    usage = {}

    def use(face, style, text):
        usage.setdefault((face, style), set()).update(text)

    for item in ui["title"]["items"]:
        use(item["face"], "italic" if item["italic"] else "normal", item["text"])
    values = [ui["authorProfile"], "0123456789-"]
    values += [line for message in ui["stageMessages"] for line in message]
    for dialog in ui["dialogs"].values():
        face = dialog["font"]["face"]
        use(face, "normal", dialog["caption"] + ui["baseUnitLetters"])
        for control in dialog["controls"]:
            use(face, "normal", control["text"])
        if any(c["filled"] for c in dialog["controls"]):
            use(face, "normal", "".join(values))
    return usage


def main():
    ui_path, out_dir = sys.argv[1], sys.argv[2]
    with open(ui_path, encoding="utf-8") as f:
        ui = json.load(f)
    os.makedirs(out_dir, exist_ok=True)
    cmaps = {}

    def has(key, ch):
        path = SOURCES[key][0]
        if path not in cmaps:
            cmaps[path] = TTFont(path, lazy=True).getBestCmap()
        return ord(ch) in cmaps[path]

    glyphs = {}  # source key -> characters
    families = {}  # face -> the page's font-family list
    for (face, style), chars in sorted(collect_usage(ui).items()):
        chain = [s for s in ui["faces"][face] if shipped(s, style)]
        in_title = any(item["face"] == face for item in ui["title"]["items"])
        if in_title and TITLE_FALLBACK not in chain:
            chain.append(TITLE_FALLBACK)
        keys = [(s, style) if (s, style) in SOURCES else (s, "normal") for s in chain]
        # The shipped families first; the installed stand-ins behind them should one fail to load.
        families[face] = list(dict.fromkeys([SOURCES[k][1] for k in keys] + ui["faces"][face]))
        for ch in chars:
            if ch.isspace() and ch != " ":
                continue
            for key in keys:
                if has(key, ch):
                    glyphs.setdefault(key, set()).add(ch)
                    break

    faces, metrics = [], {}
    for key, chars in sorted(glyphs.items()):
        path, family, file_name, licence = SOURCES[key]
        font = TTFont(path)
        upm = font["head"].unitsPerEm
        metrics.setdefault(family, {})[key[1]] = height_metrics(font)
        options = subset.Options()
        options.flavor = "woff2"
        options.hinting = False
        options.desubroutinize = True
        options.name_IDs = ["*"]
        options.layout_features = ["*"]
        subsetter = subset.Subsetter(options)
        subsetter.populate(unicodes=sorted(ord(c) for c in chars | {" "}))
        subsetter.subset(font)
        rename(font, family, key[1])
        font.flavor = "woff2"
        font.save(os.path.join(out_dir, file_name))
        faces.append({"family": family, "style": key[1], "file": file_name})
        shutil.copyfile(licence, os.path.join(out_dir, LICENCE_FILES[licence]))
        if licence in SOURCE_SHIPPED:
            os.makedirs(os.path.join(out_dir, "source"), exist_ok=True)
            shutil.copyfile(path, os.path.join(out_dir, "source", os.path.basename(path)))

    with open(os.path.join(out_dir, "fonts.json"), "w", encoding="utf-8") as f:
        json.dump({"faces": faces, "families": families, "metrics": metrics}, f,
                  ensure_ascii=False, indent=1)


USE_TYPO_METRICS = 1 << 7


def height_metrics(font):
    """Ascent and descent in font units as the desktop's toolkit takes them, and its mean width.

    A face with embedded bitmaps keeps FreeType's metrics, from the hhea table and rounded up to
    whole pixels; any other face takes the OS/2 table's, the typographic ones where the face asks
    for them and the Windows ones otherwise, unrounded."""
    os2, hhea = font["OS/2"], font["hhea"]
    metrics = {"unitsPerEm": font["head"].unitsPerEm, "averageWidth": os2.xAvgCharWidth}
    if any(tag in font for tag in ("EBLC", "CBLC", "bdat")):
        metrics.update(ascent=hhea.ascent, descent=-hhea.descent, wholePixels=True)
    elif os2.fsSelection & USE_TYPO_METRICS:
        metrics.update(ascent=os2.sTypoAscender, descent=-os2.sTypoDescender, wholePixels=False)
    else:
        metrics.update(ascent=os2.usWinAscent, descent=os2.usWinDescent, wholePixels=False)
    return metrics


def rename(font, family, style):
    """Gives a subset the page's family name in every name record that names the font."""
    full = family if style == "normal" else "%s %s" % (family, style.capitalize())
    postscript = full.replace(" ", "")
    names = {1: family, 2: style.capitalize() if style != "normal" else "Regular", 3: full,
             4: full, 6: postscript, 16: family, 17: names_style(style)}
    table = font["name"]
    for record in list(table.names):
        if record.nameID in names:
            table.setName(names[record.nameID], record.nameID, record.platformID,
                          record.platEncID, record.langID)
    if "CFF " in font:
        cff = font["CFF "].cff
        cff.fontNames = [postscript]
        top = cff.topDictIndex[0]
        for attr in ("FullName", "FamilyName"):
            if hasattr(top, attr):
                setattr(top, attr, full if attr == "FullName" else family)


def names_style(style):
    return "Italic" if style == "italic" else "Regular"


if __name__ == "__main__":
    main()
