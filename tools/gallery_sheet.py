#!/usr/bin/python3
"""The contact sheet of the screen gallery: every reference picture of
tests/shell/reference/gallery/ at a quarter of its size with its name, in
the order the gallery's key scripts reach the screens, written to
docs/screen-gallery.png. Made from the references only (no test run writes
into the repository); run it after tools/update_gallery.py.

Usage: /usr/bin/python3 tools/gallery_sheet.py
"""
import os
import re

from PIL import Image, ImageDraw

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
REFERENCES = os.path.join(ROOT, "tests", "shell", "reference", "gallery")
GALLERY_SOURCE = os.path.join(ROOT, "tests", "shell", "test_gallery.cpp")
SHEET = os.path.join(ROOT, "docs", "screen-gallery.png")

COLUMNS = 4
THUMB_W, THUMB_H = 200, 150
CAPTION = 14
GAP = 6


def ordered_names():
    """The references in the order of the key scripts, then any others."""
    with open(GALLERY_SOURCE, encoding="latin-1") as f:
        order = re.findall(r"\{shot ([a-z0-9_]+)\}", f.read())
    present = [name[:-4] for name in sorted(os.listdir(REFERENCES)) if name.endswith(".png")]
    names = [name for name in dict.fromkeys(order) if name in present]
    return names + [name for name in present if name not in names]


def main():
    names = ordered_names()
    rows = (len(names) + COLUMNS - 1) // COLUMNS
    cell_w, cell_h = THUMB_W + GAP, THUMB_H + CAPTION + GAP
    sheet = Image.new("RGB", (COLUMNS * cell_w + GAP, rows * cell_h + GAP), (32, 32, 32))
    draw = ImageDraw.Draw(sheet)
    for i, name in enumerate(names):
        x = GAP + (i % COLUMNS) * cell_w
        y = GAP + (i // COLUMNS) * cell_h
        picture = Image.open(os.path.join(REFERENCES, name + ".png")).convert("RGB")
        sheet.paste(picture.resize((THUMB_W, THUMB_H), Image.LANCZOS), (x, y + CAPTION))
        draw.text((x + 2, y + 1), name, fill=(240, 230, 140))
    sheet.save(SHEET, optimize=True)
    print("%d screens in %s" % (len(names), os.path.relpath(SHEET, ROOT)))


if __name__ == "__main__":
    main()
