#!/usr/bin/python3
"""Contact sheets of the tiles for docs/: each tile's frames drawn at three
times their size over a ground-coloured background, with its name.

Usage: /usr/bin/python3 tools/datagen/contact_sheet.py
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from PIL import Image, ImageDraw  # noqa: E402

from common import DATA, DOCS, KEY  # noqa: E402

SCALE = 3


def frames_of(path, limit):
    img = Image.open(path).convert("RGB")
    w, h = img.size
    if h in (50, 66, 74, 82, 98, 130) or h != 34:
        return [img]
    n = w // (h - 1) if w > h else 1
    res = []
    for i in range(min(n, limit)):
        fr = img.crop((i * 33 + 1, 1, i * 33 + 33, 33))
        res.append(fr)
    return res


def sheet(names, title, out_name, frames=1, cols=10, bg=(112, 128, 70)):
    cell_w = 32 * SCALE * frames + 8
    cell_h = 32 * SCALE + 16
    rows = (len(names) + cols - 1) // cols
    img = Image.new("RGB", (cols * cell_w + 8, rows * cell_h + 24), (40, 44, 48))
    d = ImageDraw.Draw(img)
    d.text((8, 6), title, fill=(240, 230, 140))
    for i, name in enumerate(names):
        x0 = 8 + (i % cols) * cell_w
        y0 = 24 + (i // cols) * cell_h
        d.rectangle([x0, y0, x0 + cell_w - 9, y0 + 32 * SCALE - 1], fill=bg)
        for k, fr in enumerate(frames_of(os.path.join(DATA, "truetile", name + ".png"), frames)):
            big = fr.resize((fr.width * SCALE, fr.height * SCALE), Image.NEAREST)
            mask = Image.new("L", big.size, 0)
            mask.putdata([0 if p == KEY else 255 for p in big.getdata()])
            img.paste(big, (x0 + k * 32 * SCALE, y0), mask)
        d.text((x0, y0 + 32 * SCALE + 2), name, fill=(220, 220, 220))
    os.makedirs(DOCS, exist_ok=True)
    img.save(os.path.join(DOCS, out_name), optimize=True)


def main():
    names = sorted(n[:-4] for n in os.listdir(os.path.join(DATA, "truetile")) if n.endswith(".png"))
    ter = [n for n in names if n.startswith("ter-")]
    sheet(ter, "Terrain tiles (frame 0)", "tiles-terrain.png", cols=12)
    people = [n for n in names if n.startswith(("npc-", "pc-"))]
    sheet(people, "People (facings east, north, south; lying; wading)", "tiles-people.png", frames=1, cols=12)
    animals = [n for n in names if n.startswith("av-")]
    sheet(animals, "Animals (frame 0)", "tiles-animals.png", cols=12)
    items = [n for n in names if n.startswith(("it-", "wp-", "ar-", "vl-", "tr-", "org-", "fd-", "flo-", "tb-"))]
    sheet(items, "Items, weapons, clothes, traps", "tiles-items.png", cols=16, bg=(120, 130, 90))
    other = [n for n in names if not n.startswith(("ter-", "npc-", "pc-", "av-", "it-", "wp-", "ar-", "vl-",
                                                    "tr-", "org-", "fd-", "flo-", "tb-", "gui-"))]
    sheet(other, "Cursors and effects", "tiles-marks.png", cols=12)


if __name__ == "__main__":
    main()
