#!/usr/bin/python3
"""Makes every tile of truetile/: terrain, trees, buildings, people, animals,
items, cursors and effects, as strips of 32 x 32 frames (see pixel.py).

A map cell is 18 x 20 pixels; in a frame it covers x 6..23, y 5..24 (the
frame's anchor (16, 16) lies on the cell's reference point). Ground and water
fill the cell with a ragged fringe; trees and figures stand on the cell's
lower part and rise above it.

Usage: /usr/bin/python3 tools/datagen/gen_tiles.py
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from common import clamp, mix, out, rng, shade  # noqa: E402
from pixel import Frame, save_strip  # noqa: E402

CX0, CY0, CX1, CY1 = 6, 5, 23, 24  # the map cell inside a frame
OUTLINE = (28, 22, 18)
SKIN = (222, 172, 130)
SKIN_DARK = (196, 146, 106)

# ------------------------------------------------------------------ ground


def ground(r, base, speck=None, fringe=2, amount=0.10, specks=18, frame_no=0):
    f = Frame()
    for y in range(CY0 - fringe, CY1 + fringe + 1):
        for x in range(CX0 - fringe, CX1 + fringe + 1):
            edge = max(CX0 - x, x - CX1, CY0 - y, y - CY1, 0)
            if edge and r.random() < edge / (fringe + 1.0) + 0.25:
                continue
            f.px(x, y, base)
    f.noise(r, amount)
    if speck:
        for _ in range(specks):
            x = r.randint(CX0, CX1)
            y = r.randint(CY0, CY1)
            f.px(x, y, speck if r.random() < 0.6 else shade(speck, 0.8))
    return f


def ground_tile(name, base, speck=None, frames=2, **kw):
    r = rng(name)
    return [ground(r, base, speck, **kw) for _ in range(frames)]


def water_frames(name, base, light, frames=2, flow=False, foam=0):
    r = rng(name)
    res = []
    for i in range(frames):
        f = ground(r, base, None, fringe=1, amount=0.05)
        for _ in range(7):
            x = r.randint(CX0, CX1 - 4)
            y = r.randint(CY0 + 1, CY1 - 1)
            ln = 3 if flow else r.randint(2, 4)
            for k in range(ln):
                f.px(x + k, y + (k if flow and k % 2 else 0) * 0, light)
        for _ in range(foam):
            x = r.randint(CX0, CX1)
            y = r.randint(CY0, CY1)
            f.px(x, y, (236, 242, 246))
            f.px(x + 1, y, (206, 222, 232))
        res.append(f)
    return res


def ice_frames(name, base, crack):
    r = rng(name)
    res = []
    for _ in range(2):
        f = ground(r, base, None, fringe=1, amount=0.04)
        x, y = r.randint(CX0 + 2, CX1 - 2), r.randint(CY0 + 2, CY1 - 2)
        for _ in range(10):
            f.px(x, y, crack)
            x += r.choice((-1, 0, 1))
            y += r.choice((-1, 1))
        for _ in range(6):
            f.px(r.randint(CX0, CX1), r.randint(CY0, CY1), (250, 252, 255))
        res.append(f)
    return res


# ------------------------------------------------------------------- trees


def spruce(f, cx, base_y, height, col=(30, 84, 44), trunk=(86, 60, 38), snow=False):
    top = base_y - height
    f.rect(cx, base_y - 2, cx, base_y, trunk)
    tiers = max(3, height // 4)
    for i in range(tiers):
        y0 = top + i * (height - 2) // tiers
        half = 1 + (i + 1) * (height // 3) // tiers
        y1 = y0 + (height // tiers) + 1
        f.poly([(cx, y0), (cx - half, y1), (cx + half, y1)], shade(col, 0.85 + 0.06 * (i % 2)))
    f.px(cx, top, shade(col, 1.3))


def pine(f, cx, base_y, height, crown=(44, 100, 48), trunk=(150, 84, 50)):
    top = base_y - height
    f.rect(cx - 1 if height > 14 else cx, top + height // 3, cx, base_y, trunk)
    w = max(3, height // 3)
    f.ellipse(cx - w, top, cx + w, top + height // 2, crown)
    f.ellipse(cx - w + 2, top - 1, cx + w - 1, top + height // 4, shade(crown, 1.15))


def leafy(f, cx, base_y, height, crown, trunk, r, spread=1.0, white_trunk=False):
    top = base_y - height
    tr = (226, 226, 214) if white_trunk else trunk
    f.rect(cx - 1, top + height // 2, cx, base_y, tr)
    if white_trunk:
        for y in range(top + height // 2, base_y + 1, 2):
            f.px(cx - 1 + (y % 3 == 0), y, (40, 40, 40))
    if crown is None:
        # bare branches
        for k in range(5):
            y = top + 2 + k * (height // 2) // 5
            ln = 2 + (4 - k) // 2
            f.line([(cx, y + 2), (cx - ln, y)], tr)
            f.line([(cx, y + 3), (cx + ln, y + 1)], tr)
        f.line([(cx, top), (cx, top + height // 2)], tr)
        return
    w = int(height * 0.38 * spread)
    for _ in range(7):
        ox = r.randint(-w + 2, w - 2)
        oy = r.randint(0, height // 2 - 2)
        rr = r.randint(2, 4)
        f.ellipse(cx + ox - rr, top + oy - rr + 3, cx + ox + rr, top + oy + rr + 3,
                  shade(crown, 0.85 + r.random() * 0.3))


def tree_frames(name, kind):
    r = rng(name)
    res = []
    for i in range(2):
        f = Frame()
        if kind == "spruce":
            spruce(f, 15, 23, 21 + i)
        elif kind == "spruces":
            spruce(f, 15, 23, 11 + i)
        elif kind == "yspruce":
            spruce(f, 15, 23, 14 + i, col=(42, 100, 52))
        elif kind == "pine":
            pine(f, 15, 23, 22 + i)
        elif kind == "ypine":
            pine(f, 15, 23, 14 + i, crown=(60, 116, 54))
        elif kind == "birch":
            leafy(f, 15, 23, 22, (96, 160, 60), None, r, white_trunk=True)
        elif kind == "birchs":
            leafy(f, 15, 23, 14, (110, 170, 66), None, r, spread=0.9, white_trunk=True)
        elif kind == "ndbirch":
            leafy(f, 15, 23, 22, None, None, r, white_trunk=True)
        elif kind == "ndbirchs":
            leafy(f, 15, 23, 14, None, None, r, white_trunk=True)
        elif kind == "alder":
            leafy(f, 15, 23, 20, (56, 112, 46), (70, 60, 50), r, spread=1.1)
        elif kind == "ndalder":
            leafy(f, 15, 23, 20, None, (70, 60, 50), r)
        elif kind == "rowan":
            leafy(f, 15, 23, 19, (80, 140, 52), (96, 80, 62), r)
            for _ in range(5):  # berries
                f.px(r.randint(10, 20), r.randint(7, 13), (200, 40, 30))
        elif kind == "ndrowan":
            leafy(f, 15, 23, 19, None, (96, 80, 62), r)
        elif kind == "leanyspr":  # a lopped post spruce; frame 1 is the later stage
            f.rect(15, 5 + 3 * i, 16, 23, (96, 70, 44))
            for y in range(6 + 3 * i, 22, 3):
                f.px(14, y, (70, 50, 30))
                f.px(17, y + 1, (70, 50, 30))
            if i == 0:
                spruce(f, 15, 10, 7)
        f.outline(OUTLINE)
        res.append(f)
    return res


def cluster_frames(name, kind):
    """World-map vegetation and relief: a clump that fills the cell."""
    r = rng(name)
    res = []
    for i in range(2):
        f = Frame()
        if kind in ("conifore", "sprmire"):
            spots = [(9, 14), (18, 13), (13, 22), (21, 23), (7, 24)]
            for (x, y) in spots:
                spruce(f, x + r.randint(-1, 1), y, 10 + r.randint(0, 3))
            if kind == "sprmire":
                for _ in range(6):
                    f.px(r.randint(6, 23), r.randint(18, 24), (150, 130, 60))
        elif kind == "lichpine":
            for _ in range(10):
                f.px(r.randint(6, 23), r.randint(16, 24), (210, 214, 196))
            for (x, y) in [(9, 15), (19, 14), (14, 24)]:
                pine(f, x + r.randint(-1, 1), y, 11 + r.randint(0, 2))
        elif kind == "pinemire":
            for _ in range(14):
                f.px(r.randint(6, 23), r.randint(12, 24), (170, 150, 80))
            for (x, y) in [(9, 17), (19, 22)]:
                pine(f, x, y, 9)
        elif kind in ("grove", "thicket"):
            n = 5 if kind == "grove" else 8
            for _ in range(n):
                x, y = r.randint(8, 21), r.randint(10, 23)
                leafy(f, x, y, 9 if kind == "grove" else 6, (84, 150, 58), (90, 70, 50), r, spread=1.4)
        elif kind == "bushes":
            for _ in range(6):
                x, y = r.randint(8, 21), r.randint(12, 23)
                f.ellipse(x - 3, y - 3, x + 3, y + 1, shade((76, 130, 56), 0.9 + r.random() * 0.2))
        elif kind == "heath":
            for _ in range(30):
                x, y = r.randint(6, 23), r.randint(8, 24)
                f.px(x, y, r.choice([(140, 80, 120), (120, 100, 60), (96, 110, 50)]))
            pine(f, 17, 16, 9)
        elif kind == "openmire":
            for _ in range(12):
                x, y = r.randint(6, 22), r.randint(6, 24)
                f.px(x, y, (110, 140, 70))
                f.px(x + 1, y, (160, 150, 70))
            for _ in range(3):
                x, y = r.randint(7, 20), r.randint(8, 22)
                f.rect(x, y, x + 2, y, (70, 96, 120))
            for _ in range(5):
                f.px(r.randint(6, 23), r.randint(6, 24), (240, 240, 230))  # cotton grass
        elif kind == "hill":
            f.poly([(4, 25), (15, 10 + i), (27, 25)], (108, 120, 70))
            f.poly([(15, 10 + i), (27, 25), (18, 25)], (88, 100, 60))
            spruce(f, 12, 20, 7)
        elif kind in ("mount",):
            f.poly([(3, 25), (14, 3), (28, 25)], (120, 116, 112))
            f.poly([(14, 3), (28, 25), (18, 25)], (96, 92, 90))
            f.poly([(14, 3), (11, 9), (17, 9)], (240, 244, 248))
        elif kind in ("cliff", "hicliff"):
            top = 8 if kind == "cliff" else 3
            f.rect(6, top, 23, 24, (118, 114, 106))
            for _ in range(10):
                x, y = r.randint(6, 22), r.randint(top, 23)
                f.line([(x, y), (x + r.randint(-2, 2), y + 3)], (80, 78, 74))
            f.rect(6, top, 23, top + 1, (96, 120, 64))
        elif kind == "boulder":
            f.ellipse(7, 12, 24, 24, (128, 126, 120))
            f.ellipse(9, 13, 19, 19, (156, 154, 148))
            f.px(20, 21, (94, 92, 90))
        elif kind == "antnest":
            f.poly([(9, 24), (16, 14), (23, 24)], (130, 96, 60))
            for _ in range(12):
                f.px(r.randint(10, 22), r.randint(16, 24), (60, 40, 24))
        elif kind == "cave":
            f.poly([(4, 25), (15, 6), (27, 25)], (116, 112, 104))
            f.ellipse(11, 15, 20, 27, (20, 18, 18))
        f.noise(r, 0.06)
        f.outline(OUTLINE)
        res.append(f)
    return res


# -------------------------------------------------------------- buildings

LOG = (132, 92, 56)
LOG_DARK = (96, 64, 38)
ROOF = (92, 76, 60)


def wall_frames(name, sides):
    """A log wall filling the given sides of the cell: n, s, e, w."""
    r = rng(name)
    res = []
    for i in range(2):
        f = Frame()
        if "n" in sides or "s" in sides:
            y0 = 4 if "n" in sides else 14
            f.rect(4, y0, 25, y0 + 11, LOG)
            for y in range(y0 + 2, y0 + 12, 3):
                f.line([(4, y), (25, y)], LOG_DARK)
        if "e" in sides or "w" in sides:
            x0 = 13 if "e" in sides else 4
            f.rect(x0, 2, x0 + 11, 25, LOG)
            for x in range(x0 + 2, x0 + 12, 3):
                f.line([(x, 2), (x, 25)], LOG_DARK)
        f.noise(r, 0.07)
        f.outline(OUTLINE)
        res.append(f)
    return res


def kota_frames(name, sides):
    """Walls of a kota (a conical hut of poles and bark)."""
    r = rng(name)
    res = []
    for i in range(2):
        f = Frame()
        pts = {"n": [(4, 14), (16, 4), (27, 14)], "s": [(4, 16), (16, 26), (27, 16)],
               "e": [(16, 3), (27, 15), (16, 27)], "w": [(15, 3), (4, 15), (15, 27)]}
        for s in sides:
            f.poly(pts[s], (120, 96, 70))
        for _ in range(20):
            x, y = r.randint(4, 27), r.randint(3, 27)
            if f.get(x, y):
                f.px(x, y, (160, 140, 110))
        f.outline(OUTLINE)
        res.append(f)
    return res


def thing_frames(name, kind):
    r = rng(name)
    res = []
    nframes = 4 if kind in ("doorcl", "doorop", "shutter") else 2
    for i in range(nframes):
        f = Frame()
        if kind == "doorcl":
            f.rect(8, 5, 23, 24, (120, 80, 44))
            for x in range(10, 23, 3):
                f.line([(x, 5), (x, 24)], (90, 58, 30))
            f.px(20, 15, (40, 40, 40))
        elif kind == "doorop":
            f.rect(6, 5, 23, 24, (54, 40, 30))
            f.rect(6, 5, 9, 24, (120, 80, 44))
        elif kind == "shutter":
            f.rect(6, 8, 23, 20, (120, 80, 44))
            f.rect(9, 11, 20, 17, (60, 60, 70))
        elif kind == "fence":
            for x in (7, 14, 21):
                f.rect(x, 8, x + 1, 24, (120, 90, 56))
            f.line([(5, 12), (25, 12)], (140, 104, 64), 2)
            f.line([(5, 19), (25, 19)], (140, 104, 64), 2)
        elif kind == "fenceclg":
            f.rect(6, 8, 7, 24, (120, 90, 56))
            f.rect(22, 8, 23, 24, (120, 90, 56))
            for y in (11, 16, 21):
                f.line([(7, y), (22, y)], (150, 110, 70), 2)
            f.line([(7, 21), (22, 11)], (150, 110, 70))
        elif kind == "fenceopg":
            f.rect(6, 8, 7, 24, (120, 90, 56))
            f.rect(22, 8, 23, 24, (120, 90, 56))
            f.line([(22, 11), (27, 4)], (150, 110, 70), 2)
        elif kind == "bench":
            f.rect(6, 14, 23, 16, (150, 110, 66))
            f.rect(7, 17, 8, 22, (110, 80, 48))
            f.rect(21, 17, 22, 22, (110, 80, 48))
        elif kind == "bunk":
            f.rect(6, 8, 23, 23, (130, 94, 58))
            f.rect(8, 10, 21, 21, (170, 150, 110))
            f.rect(8, 10, 12, 13, (210, 200, 180))
        elif kind == "table":
            f.rect(6, 10, 23, 18, (156, 112, 68))
            f.rect(7, 19, 8, 24, (110, 80, 48))
            f.rect(21, 19, 22, 24, (110, 80, 48))
        elif kind == "firepla":
            f.ellipse(5, 8, 24, 25, (110, 106, 100))
            f.ellipse(9, 12, 20, 21, (40, 34, 30))
            for k in range(6):
                f.px(r.randint(10, 19), r.randint(13, 20), (120, 110, 100))
        elif kind == "saustove":
            f.rect(6, 6, 23, 24, (100, 98, 94))
            for _ in range(16):
                x, y = r.randint(6, 22), r.randint(6, 23)
                f.ellipse(x, y, x + 2, y + 2, (130 + r.randint(0, 30),) * 3)
            f.rect(10, 18, 19, 23, (30, 24, 20))
        elif kind == "kotafram":
            for (x0, x1) in ((5, 15), (26, 16), (9, 15), (22, 17)):
                f.line([(x0, 26), (x1, 3)], (130, 96, 60))
        elif kind == "kotadoor":
            f.poly([(4, 26), (16, 3), (28, 26)], (120, 96, 70))
            f.poly([(11, 26), (16, 13), (21, 26)], (40, 30, 24))
        elif kind == "kotacamp":
            for (x, y) in ((10, 20), (21, 22)):
                f.poly([(x - 6, y + 3), (x, y - 10), (x + 6, y + 3)], (130, 104, 76))
                f.poly([(x - 2, y + 3), (x, y - 2), (x + 2, y + 3)], (40, 30, 24))
            f.px(16, 24, (240, 140, 40))
        elif kind == "shelter":
            f.poly([(4, 24), (10, 8), (26, 8), (26, 24)], (100, 130, 70))
            for x in range(10, 26, 3):
                f.line([(x, 8), (x - 5, 24)], (70, 100, 50))
        elif kind in ("village", "fortvill", "snghouse"):
            houses = {"village": [(9, 12), (19, 13), (13, 21), (22, 22)],
                      "fortvill": [(11, 13), (19, 19)], "snghouse": [(15, 16)]}[kind]
            if kind == "fortvill":
                for x in range(5, 27, 2):
                    f.rect(x, 5, x, 9, (110, 82, 50))
                    f.rect(x, 22, x, 26, (110, 82, 50))
            for (x, y) in houses:
                f.rect(x - 4, y - 1, x + 4, y + 4, LOG)
                f.poly([(x - 6, y), (x, y - 6), (x + 6, y)], ROOF)
                f.px(x, y + 3, (40, 30, 24))
        elif kind == "pit":
            f.ellipse(7, 9, 23, 23, (70, 52, 36))
            f.ellipse(9, 12, 21, 22, (36, 26, 20))
        elif kind == "cellar":
            f.poly([(6, 22), (15, 10), (24, 22)], (96, 124, 64))
            f.rect(12, 16, 18, 22, (80, 58, 36))
            f.rect(14, 18, 16, 22, (30, 24, 20))
        elif kind == "icehole":
            f.ellipse(10, 12, 21, 20, (20, 50, 80))
            f.ellipse(11, 13, 20, 18, (36, 76, 110))
        f.noise(r, 0.05)
        f.outline(OUTLINE)
        res.append(f)
    return res


def elev_frames(name, step):
    """Height edges: frame 1 left, 2 right, 3 above, 4 below."""
    res = [Frame()]
    col = shade((60, 50, 40), 1.0)
    w = step + 1
    for side in (1, 2, 3, 4):
        f = Frame()
        if side == 1:
            f.rect(CX0, CY0, CX0 + w - 1, CY1, col)
        elif side == 2:
            f.rect(CX1 - w + 1, CY0, CX1, CY1, col)
        elif side == 3:
            f.rect(CX0, CY0, CX1, CY0 + w - 1, shade(col, 1.4))
        else:
            f.rect(CX0, CY1 - w + 1, CX1, CY1, shade(col, 0.7))
        res.append(f)
    res[0].px(CX0, CY0, col)  # an empty frame would look like a lost tile
    return res


def snow_overlay(name, dense):
    r = rng(name)
    res = []
    for i in range(2):
        f = Frame()
        n = 70 if dense else 26
        for _ in range(n):
            x, y = r.randint(CX0 - 1, CX1 + 1), r.randint(CY0 - 1, CY1 + 1)
            f.px(x, y, (244, 246, 250) if r.random() < 0.7 else (214, 222, 236))
            if dense and r.random() < 0.5:
                f.px(x + 1, y, (236, 240, 248))
        res.append(f)
    return res


# ---------------------------------------------------------------- figures

def blank_frames(n):
    return [Frame() for _ in range(n)]


def with_water(f, level, ripple=(150, 190, 220), water=(60, 110, 160)):
    """Covers a figure from the given row down with water."""
    g = f.copy()
    g.crop_below(level)
    for x in range(8, 24):
        g.px(x, level, ripple if x % 3 else (220, 236, 246))
        g.px(x, level + 1, water)
    return g


def figure_set(side, front, back, lying=None, swim_level=19, wade_level=20, flyer=None):
    """27 frames: 0-7 facings, 8-9 lying, 10 spare, 11-18 swimming or flying,
    19-26 wading; facings 0 east ... 7 south-east."""
    def facing(d):
        if d == 2:
            return back
        if d == 6:
            return front
        if d in (0, 1, 7):
            return side
        return side.flip()

    frames = [facing(d).copy() for d in range(8)]
    if lying is None:
        lying = side.rotated(90).shifted(0, 4)
    frames += [lying.copy(), lying.flip(), lying.copy()]
    for d in range(8):
        if flyer is not None:
            frames.append(flyer.copy() if d in (0, 1, 2, 7) else flyer.flip())
        else:
            frames.append(with_water(facing(d), swim_level))
    for d in range(8):
        frames.append(with_water(facing(d), wade_level))
    for fr in frames:
        fr.outline(OUTLINE)
    return frames


# people ---------------------------------------------------------------

CULTURE_COLOURS = {
    "e": dict(tunic=(70, 100, 160), legs=(64, 70, 86), trim=(230, 226, 210), hair=(200, 170, 100)),
    "w": dict(tunic=(150, 60, 44), legs=(92, 74, 56), trim=(226, 190, 90), hair=(120, 74, 40)),
    "n": dict(tunic=(126, 96, 64), legs=(96, 72, 50), trim=(60, 120, 170), hair=(40, 34, 30)),
    "nj": dict(tunic=(60, 60, 64), legs=(44, 40, 40), trim=(170, 40, 40), hair=(30, 26, 24)),
    "f": dict(tunic=(150, 120, 70), legs=(90, 80, 60), trim=(60, 100, 60), hair=(140, 100, 60)),
    "pc": dict(tunic=(90, 110, 70), legs=(80, 66, 50), trim=(200, 170, 90), hair=(150, 110, 60)),
}


def person(role, cul, view, female=False):
    c = CULTURE_COLOURS[cul]
    tunic, legs, trim, hair = c["tunic"], c["legs"], c["trim"], c["hair"]
    child = role in ("boy", "girl")
    old = role in ("oldman", "sage")
    if old:
        hair = (196, 196, 190)
    if role == "sage":
        tunic = shade(tunic, 0.7)
    if role == "wdsman":
        tunic = (70, 96, 56)
    if role == "craftm":
        tunic = shade(tunic, 1.1)
    if role == "trman" or role == "ftrader":
        tunic = (170, 120, 40) if cul != "e" else (40, 120, 120)
    if role == "spirit":
        tunic, legs, trim, hair = (60, 140, 70), (50, 110, 60), (150, 200, 110), (90, 160, 80)
    f = Frame()
    s = 0.75 if child else 1.0
    top = 6 if not child else 11
    head_r = 3
    cx = 15
    feet = 24
    body_top = top + 6
    body_bot = top + int(13 * s) + 2
    # legs and feet
    if female and not child or role in ("sage",) or (female and child):
        f.poly([(cx - 4, body_top + 2), (cx + 4, body_top + 2), (cx + 5, feet - 1), (cx - 5, feet - 1)], tunic)
        f.rect(cx - 3, feet, cx - 2, feet, (60, 44, 30))
        f.rect(cx + 2, feet, cx + 3, feet, (60, 44, 30))
    else:
        if view == "side":
            f.rect(cx - 2, body_bot, cx - 1, feet - 1, legs)
            f.rect(cx + 1, body_bot, cx + 2, feet - 1, shade(legs, 0.8))
            f.rect(cx - 2, feet, cx + 1, feet, (60, 44, 30))
            f.rect(cx + 1, feet, cx + 4, feet, (60, 44, 30))
        else:
            f.rect(cx - 3, body_bot, cx - 1, feet - 1, legs)
            f.rect(cx + 1, body_bot, cx + 3, feet - 1, legs)
            f.rect(cx - 3, feet, cx - 1, feet, (60, 44, 30))
            f.rect(cx + 1, feet, cx + 3, feet, (60, 44, 30))
    # torso
    wide = 4 if view != "side" else 3
    f.rect(cx - wide, body_top, cx + wide, body_bot, tunic)
    f.line([(cx - wide, body_bot - 2), (cx + wide, body_bot - 2)], trim)  # belt
    if view == "front":
        f.line([(cx, body_top), (cx, body_top + 3)], trim)
    # arms
    if view == "side":
        f.rect(cx, body_top + 1, cx + 1, body_bot - 1, shade(tunic, 0.8))
        f.px(cx + 1, body_bot, SKIN)
    else:
        f.rect(cx - wide - 2, body_top + 1, cx - wide - 1, body_bot - 1, shade(tunic, 0.85))
        f.rect(cx + wide + 1, body_top + 1, cx + wide + 2, body_bot - 1, shade(tunic, 0.85))
        f.px(cx - wide - 2, body_bot, SKIN)
        f.px(cx + wide + 2, body_bot, SKIN)
    # head
    hy = top + 2
    f.ellipse(cx - head_r, hy - head_r, cx + head_r, hy + head_r, SKIN if view != "back" else hair)
    if view == "front":
        f.rect(cx - head_r, hy - head_r, cx + head_r, hy - head_r + 1, hair)
        f.px(cx - 1, hy, (40, 30, 30))
        f.px(cx + 1, hy, (40, 30, 30))
        if role in ("oldman", "sage") and not female:
            f.rect(cx - 2, hy + 2, cx + 2, hy + 5, hair)  # beard
    elif view == "side":
        f.rect(cx - head_r, hy - head_r, cx + 1, hy - head_r + 1, hair)
        f.rect(cx - head_r, hy - head_r, cx - head_r + 1, hy + 1, hair)
        f.px(cx + 2, hy, (40, 30, 30))
    if female and view != "side" and not role == "spirit":
        f.rect(cx - head_r - 1, hy - 1, cx - head_r, hy + 5, hair)
        f.rect(cx + head_r, hy - 1, cx + head_r + 1, hy + 5, hair)
    if role == "sage":  # hood
        f.poly([(cx - 4, hy + 1), (cx, hy - 5), (cx + 4, hy + 1)], shade(tunic, 0.8))
        if view == "front":
            f.ellipse(cx - 2, hy - 1, cx + 2, hy + 2, SKIN)
    # gear
    if role in ("oldman", "sage"):
        f.line([(cx + 6, top + 1), (cx + 6, feet)], (120, 90, 56))
    if role in ("adv", "war"):
        f.line([(cx + 6, top - 3), (cx + 6, feet)], (130, 100, 60))
        f.poly([(cx + 5, top - 3), (cx + 6, top - 6), (cx + 7, top - 3)], (190, 190, 196))
    if role == "war":
        f.ellipse(cx - 8, body_top, cx - 3, body_top + 7, (150, 60, 40))
        f.px(cx - 6, body_top + 3, (200, 200, 200))
        f.rect(cx - head_r, hy - head_r - 1, cx + head_r, hy - head_r + 1, (150, 150, 156))
    if role == "wdsman":
        f.line([(cx + 6, body_top - 1), (cx + 6, body_bot + 3)], (120, 90, 56))
        f.rect(cx + 6, body_top - 1, cx + 8, body_top + 1, (170, 170, 176))
    if role == "craftm":
        f.rect(cx - 2, body_top + 3, cx + 2, body_bot + 2, (190, 170, 130))
    if role in ("trman", "ftrader"):
        f.rect(cx - 8, body_top + 2, cx - 5, body_bot, (150, 120, 80))
    if role == "spirit":
        for k in range(4):
            f.line([(cx - 3 - k, top - k), (cx - 1, top + 3)], (110, 80, 50))
            f.line([(cx + 3 + k, top - k), (cx + 1, top + 3)], (110, 80, 50))
    return f


def person_frames(role, cul, female=False):
    side = person(role, cul, "side", female)
    front = person(role, cul, "front", female)
    back = person(role, cul, "back", female)
    return figure_set(side, front, back, swim_level=15 if role not in ("boy", "girl") else 18)


# animals --------------------------------------------------------------

ANIMALS = {
    # name: (body colour, size 1-4, kind, extras)
    "bear": ((96, 64, 40), 4, "quad", {}),
    "wolf": ((128, 124, 116), 3, "quad", {"tail": 1, "ears": 1, "snout": 1}),
    "fox": ((200, 100, 40), 2, "quad", {"tail": 2, "ears": 1, "snout": 1, "tip": (240, 240, 230)}),
    "afox": ((232, 232, 226), 2, "quad", {"tail": 2, "ears": 1, "snout": 1}),
    "lynx": ((170, 134, 96), 3, "quad", {"ears": 2, "spots": (110, 80, 60)}),
    "dog": ((150, 110, 70), 2, "quad", {"tail": 1, "ears": 1, "snout": 1}),
    "glutton": ((70, 50, 36), 2, "quad", {"tail": 1, "stripe": (170, 130, 80)}),
    "badger": ((120, 116, 110), 2, "quad", {"stripe": (240, 240, 240), "snout": 1}),
    "elk": ((92, 66, 46), 4, "quad", {"tall": 1, "snout": 2}),
    "bullelk": ((84, 58, 40), 4, "quad", {"tall": 1, "snout": 2, "antler": "palm"}),
    "reindeer": ((150, 136, 116), 3, "quad", {"tall": 1, "antler": "branch", "light": (220, 214, 200)}),
    "forreind": ((110, 90, 70), 3, "quad", {"tall": 1, "antler": "branch"}),
    "cow": ((170, 110, 70), 4, "quad", {"patch": (240, 236, 226), "horns": 1}),
    "bull": ((90, 60, 40), 4, "quad", {"horns": 2}),
    "pig": ((120, 96, 80), 3, "quad", {"snout": 3}),
    "horse": ((112, 78, 50), 4, "quad", {"tall": 1, "snout": 2, "tail": 2, "ears": 1, "stripe": (60, 40, 28)}),
    "sheep": ((226, 222, 206), 2, "quad", {"wool": 1}),
    "ram": ((210, 204, 186), 2, "quad", {"wool": 1, "horns": 3}),
    "hare": ((150, 130, 104), 1, "hare", {}),
    "squirrel": ((170, 80, 40), 1, "squirrel", {}),
    "srodent": ((150, 100, 60), 1, "weasel", {}),
    "beaver": ((110, 74, 44), 2, "beaver", {}),
    "gseal": ((120, 124, 130), 3, "seal", {}),
    "rseal": ((96, 100, 108), 2, "seal", {"rings": 1}),
    "snake": ((70, 70, 60), 1, "snake", {}),
    "bgrouse": ((40, 40, 50), 2, "bird", {"red": 1, "tailfork": 1}),
    "capcail": ((50, 56, 60), 3, "bird", {"red": 1, "tailfan": 1}),
    "hgrouse": ((130, 110, 90), 1, "bird", {}),
    "wgrouse": ((220, 214, 200), 2, "bird", {"wingcol": (240, 240, 236)}),
    "raven": ((30, 30, 36), 2, "bird", {"beak": (40, 40, 40)}),
    "goshawk": ((110, 110, 116), 2, "bird", {"hook": 1, "breast": (220, 216, 206)}),
    "eowl": ((140, 110, 70), 3, "owl", {}),
    "swan": ((244, 244, 240), 3, "water", {"neck": 3, "beak": (230, 160, 40)}),
    "mallard": ((140, 120, 96), 2, "water", {"head": (30, 110, 60), "beak": (220, 190, 40)}),
    "tduck": ((40, 40, 44), 2, "water", {"flank": (236, 236, 236), "beak": (120, 130, 150)}),
    "goldeye": ((240, 240, 236), 2, "water", {"head": (30, 60, 50), "back": (40, 40, 44)}),
    "kuikka": ((60, 64, 70), 2, "water", {"neck": 2, "head": (90, 96, 100), "beak": (40, 40, 40)}),
}


def quad(col, size, ex, view):
    f = Frame()
    dark = shade(col, 0.7)
    body_w = {1: 6, 2: 9, 3: 12, 4: 15}[size]
    body_h = {1: 3, 2: 4, 3: 5, 4: 7}[size]
    leg = {1: 2, 2: 3, 3: 4, 4: 5}[size] + (3 if ex.get("tall") else 0)
    feet = 24
    body_bot = feet - leg
    body_top = body_bot - body_h
    if view == "side":
        x0 = 15 - body_w // 2
        x1 = x0 + body_w
        f.ellipse(x0, body_top, x1, body_bot, col)
        if ex.get("wool"):
            for k in range(x0, x1, 2):
                f.px(k, body_top, shade(col, 1.08))
        for lx in (x0 + 1, x0 + 3, x1 - 3, x1 - 1):
            f.rect(lx, body_bot - 1, lx, feet, dark if ex.get("wool") else shade(col, 0.8))
        # neck and head
        hx = x1 + 1
        hy = body_top - (2 if size > 2 else 1) - (3 if ex.get("tall") else 0)
        f.poly([(x1 - 3, body_top + 1), (hx, hy), (hx + 2, hy), (x1, body_top + 3)], col)
        hs = 2 if size < 3 else 3
        f.ellipse(hx - 1, hy - hs + 1, hx + hs + 1, hy + hs, col)
        sn = ex.get("snout", 0)
        if sn:
            f.rect(hx + hs, hy, hx + hs + sn, hy + 1 + (sn > 1), shade(col, 0.85))
        if sn == 3:
            f.px(hx + hs + 3, hy, (200, 150, 140))
        f.px(hx + 1, hy - 1, (20, 16, 16))
        if ex.get("ears"):
            f.poly([(hx, hy - hs + 1), (hx + 1, hy - hs - 1 - (ex["ears"] == 2)), (hx + 2, hy - hs + 1)], dark)
        if ex.get("tail"):
            t = ex["tail"]
            f.line([(x0, body_top + 2), (x0 - 2 - t, body_top + 2 + t * 2)], col, 1 + (t > 1))
            if ex.get("tip"):
                f.px(x0 - 3 - t, body_top + 3 + t * 2, ex["tip"])
        if ex.get("stripe"):
            f.line([(hx - 1, hy), (hx + 3, hy)], ex["stripe"])
        if ex.get("spots"):
            for k in range(x0 + 2, x1 - 1, 3):
                f.px(k, body_top + 2, ex["spots"])
        if ex.get("patch"):
            f.ellipse(x0 + 3, body_top + 1, x0 + 7, body_top + 4, ex["patch"])
        if ex.get("light"):
            f.line([(x0 + 1, body_bot - 1), (x1 - 1, body_bot - 1)], ex["light"])
        a = ex.get("antler")
        if a == "palm":
            f.poly([(hx, hy - hs), (hx - 3, hy - hs - 4), (hx + 4, hy - hs - 5), (hx + 2, hy - hs)], (214, 196, 160))
        elif a == "branch":
            for k in (-2, 1, 3):
                f.line([(hx + 1, hy - hs), (hx + k, hy - hs - 5)], (200, 184, 150))
            f.line([(hx - 2, hy - hs - 3), (hx - 3, hy - hs - 5)], (200, 184, 150))
        h = ex.get("horns")
        if h == 1 or h == 2:
            f.line([(hx, hy - hs), (hx - 1, hy - hs - 2)], (230, 220, 190))
            f.line([(hx + 2, hy - hs), (hx + 3, hy - hs - 2)], (230, 220, 190))
        if h == 3:
            f.ellipse(hx - 2, hy - hs, hx + 1, hy - hs + 3, (200, 180, 140))
    else:
        w = body_w // 2 + 2
        x0, x1 = 15 - w // 2, 15 + w // 2
        f.ellipse(x0, body_top, x1, body_bot, col)
        for lx in (x0 + 1, x1 - 1):
            f.rect(lx, body_bot - 1, lx, feet, shade(col, 0.8))
        hs = 2 if size < 3 else 3
        hy = body_top - (1 if view == "front" else -1) - (3 if ex.get("tall") else 0)
        if view == "front":
            f.ellipse(15 - hs, hy - hs, 15 + hs, hy + hs, col)
            f.px(14, hy - 1, (20, 16, 16))
            f.px(16, hy - 1, (20, 16, 16))
            f.px(15, hy + 1, (30, 24, 24))
            if ex.get("ears"):
                f.px(15 - hs, hy - hs - 1, shade(col, 0.7))
                f.px(15 + hs, hy - hs - 1, shade(col, 0.7))
            if ex.get("stripe"):
                f.line([(15, hy - hs), (15, hy + hs)], ex["stripe"])
        else:
            if ex.get("tail"):
                f.line([(15, body_top + 2), (15, body_bot + 2)], shade(col, 0.9), 2)
        a = ex.get("antler")
        if a:
            col_a = (214, 196, 160)
            f.line([(14, hy - hs), (10, hy - hs - 5)], col_a, 1 + (a == "palm"))
            f.line([(16, hy - hs), (20, hy - hs - 5)], col_a, 1 + (a == "palm"))
        if ex.get("horns") in (1, 2):
            f.line([(13, hy - hs), (11, hy - hs - 2)], (230, 220, 190))
            f.line([(17, hy - hs), (19, hy - hs - 2)], (230, 220, 190))
    return f


def small_animal(kind, col, view):
    f = Frame()
    dark = shade(col, 0.7)
    if kind == "hare":
        if view == "side":
            f.ellipse(10, 17, 19, 23, col)
            f.ellipse(17, 14, 21, 18, col)
            f.rect(18, 9, 18, 14, col)
            f.rect(20, 10, 20, 14, dark)
            f.px(20, 15, (20, 16, 16))
            f.px(9, 19, (240, 240, 236))
            f.rect(11, 23, 14, 24, dark)
        else:
            f.ellipse(12, 16, 19, 24, col)
            f.ellipse(13, 12, 18, 17, col)
            f.rect(13, 7, 13, 12, col)
            f.rect(18, 7, 18, 12, col)
    elif kind == "squirrel":
        f.ellipse(12, 18, 17, 23, col)
        f.ellipse(16, 15, 19, 18, col)
        f.px(18, 14, dark)
        f.ellipse(7, 12, 12, 21, shade(col, 1.1))
        f.rect(13, 23, 16, 24, dark)
        if view != "side":
            f = f.shifted(1, 0)
    elif kind == "weasel":
        f.ellipse(8, 19, 21, 22, col)
        f.ellipse(19, 17, 23, 21, col)
        f.px(22, 18, (20, 16, 16))
        f.line([(8, 20), (5, 18)], dark)
        f.rect(10, 22, 11, 24, dark)
        f.rect(18, 22, 19, 24, dark)
        f.line([(10, 21), (19, 21)], (230, 220, 200))
    elif kind == "beaver":
        f.ellipse(8, 15, 21, 23, col)
        f.ellipse(18, 14, 24, 20, col)
        f.px(22, 16, (20, 16, 16))
        f.ellipse(3, 20, 10, 23, (60, 50, 44))
        f.px(24, 19, (240, 200, 80))
    elif kind == "seal":
        f.ellipse(5, 16, 24, 23, col)
        f.ellipse(19, 13, 26, 19, col)
        f.px(24, 15, (20, 16, 16))
        f.poly([(5, 19), (2, 16), (2, 23)], shade(col, 0.8))
        f.rect(14, 22, 17, 24, shade(col, 0.8))
    elif kind == "snake":
        pts = [(5, 22), (9, 19), (13, 22), (17, 19), (21, 22), (24, 20)]
        f.line(pts, col, 2)
        f.ellipse(23, 18, 27, 21, col)
        for k in range(6, 24, 3):
            f.px(k, 21 if (k // 3) % 2 else 20, (30, 30, 24))
        f.px(27, 19, (200, 40, 40))
    return f


def bird(name, col, size, kind, ex, view, flying=False):
    f = Frame()
    dark = shade(col, 0.75)
    s = {1: 0, 2: 1, 3: 2}.get(size, 1)
    if kind == "water":
        y = 22
        f.ellipse(8 - s, y - 5 - s, 21 + s, y, col)
        if ex.get("flank"):
            f.ellipse(11, y - 4, 18, y - 1, ex["flank"])
        if ex.get("back"):
            f.line([(9, y - 5), (19, y - 5)], ex["back"])
        neck = ex.get("neck", 1)
        hx, hy = 20 + s, y - 6 - neck * 3
        f.line([(19 + s, y - 4), (hx, hy)], col if neck > 2 else ex.get("head", col), 2)
        f.ellipse(hx - 2, hy - 2, hx + 2, hy + 1, ex.get("head", col))
        f.rect(hx + 2, hy, hx + 4, hy, ex.get("beak", (60, 60, 60)))
        f.px(hx, hy - 1, (20, 16, 16))
        if not flying:
            f.rect(12, y + 1, 12, y + 2, (220, 150, 60))
            f.rect(16, y + 1, 16, y + 2, (220, 150, 60))
        else:
            f = f.shifted(0, 2)
            for x in range(8, 22):
                f.px(x, y + 1, (150, 190, 220) if x % 3 else (220, 236, 246))
        return f
    if kind == "owl":
        f.ellipse(10, 9, 21, 23, col)
        f.ellipse(11, 8, 20, 15, shade(col, 1.1))
        f.px(13, 11, (250, 150, 30))
        f.px(18, 11, (250, 150, 30))
        f.px(12, 7, dark)
        f.px(19, 7, dark)
        f.px(15, 13, (40, 36, 30))
        f.rect(13, 24, 14, 24, (200, 180, 120))
        f.rect(17, 24, 18, 24, (200, 180, 120))
        if flying:
            f.poly([(10, 14), (1, 10), (4, 18)], dark)
            f.poly([(21, 14), (30, 10), (27, 18)], dark)
        return f
    # ground birds and raven/hawk
    body_y = 22 - s
    if flying:
        body_y = 16
    f.ellipse(9 - s, body_y - 5 - s, 20 + s, body_y, col)
    if ex.get("breast"):
        f.ellipse(15, body_y - 4, 20 + s, body_y - 1, ex["breast"])
    hx, hy = 20 + s, body_y - 6 - s
    f.ellipse(hx - 2, hy - 2, hx + 2, hy + 2, col)
    f.px(hx + 1, hy - 1, (20, 16, 16))
    beak = ex.get("beak", (90, 80, 60))
    f.rect(hx + 3, hy, hx + 3 + (ex.get("hook") is not None), hy, beak)
    if ex.get("red"):
        f.px(hx, hy - 2, (220, 40, 40))
        f.px(hx + 1, hy - 2, (220, 40, 40))
    if ex.get("tailfan"):
        f.poly([(9 - s, body_y - 3), (3, body_y - 9), (4, body_y - 1)], dark)
    elif ex.get("tailfork"):
        f.line([(9 - s, body_y - 3), (4, body_y - 5)], dark)
        f.line([(9 - s, body_y - 2), (4, body_y)], dark)
    else:
        f.poly([(9 - s, body_y - 3), (5 - s, body_y - 1), (9 - s, body_y - 1)], dark)
    if ex.get("wingcol"):
        f.ellipse(11, body_y - 4, 17, body_y - 1, ex["wingcol"])
    if flying:
        f.poly([(11, body_y - 4), (8, body_y - 14), (17, body_y - 4)], dark)
        f.poly([(12, body_y - 2), (20, body_y + 6), (16, body_y - 2)], shade(col, 0.9))
    else:
        f.rect(14, body_y + 1, 14, 24, (150, 120, 70))
        f.rect(16, body_y + 1, 16, 24, (150, 120, 70))
    if view == "front":
        g = Frame()
        g.ellipse(11, body_y - 7, 19, body_y, col)
        g.ellipse(13, body_y - 11, 17, body_y - 7, col)
        g.px(14, body_y - 10, (20, 16, 16))
        g.px(16, body_y - 10, (20, 16, 16))
        g.px(15, body_y - 8, beak)
        g.rect(14, body_y + 1, 14, 24, (150, 120, 70))
        g.rect(16, body_y + 1, 16, 24, (150, 120, 70))
        return g
    return f


def animal_frames(name):
    col, size, kind, ex = ANIMALS[name]
    if kind == "quad":
        side, front, back = quad(col, size, ex, "side"), quad(col, size, ex, "front"), quad(col, size, ex, "back")
        return figure_set(side, front, back, swim_level=19 - size, wade_level=21)
    if kind in ("bird", "owl", "water"):
        side = bird(name, col, size, kind, ex, "side")
        front = bird(name, col, size, kind, ex, "front") if kind == "bird" else side
        fly = bird(name, col, size, kind, ex, "side", flying=True)
        return figure_set(side, front, side, flyer=fly, swim_level=21, wade_level=22)
    side = small_animal(kind, col, "side")
    front = small_animal(kind, col, "front")
    swim = 20 if kind in ("seal", "beaver") else 21
    return figure_set(side, front, front, swim_level=swim, wade_level=22)


# ------------------------------------------------------------------ items

WOOD = (150, 108, 64)
WOOD_D = (110, 78, 44)
IRON = (176, 180, 188)
IRON_D = (120, 124, 132)
BRONZE = (196, 150, 70)
SILVER = (214, 218, 224)
LEATHER = (140, 96, 58)
FUR = (150, 120, 84)
WOOL = (200, 190, 160)
LINEN = (220, 212, 186)
BARK = (210, 180, 120)


def weapon(name):
    n = name[3:]
    f = Frame()
    if n in ("sword", "bstsword", "batsword", "shsword", "scimitar", "skrama"):
        ln = {"sword": 15, "bstsword": 17, "batsword": 19, "shsword": 11, "scimitar": 14, "skrama": 12}[n]
        x0, y0 = 9, 22
        x1, y1 = x0 + ln * 0.7, y0 - ln * 0.7
        if n == "scimitar":
            f.line([(x0 + 3, y0 - 3), (x0 + 8, y0 - 9), (x1 + 2, y1 + 2)], IRON, 2)
        else:
            f.line([(x0 + 3, y0 - 3), (x1, y1)], IRON, 2)
        f.line([(x0 + 1, y0 - 5), (x0 + 5, y0 - 1)], BRONZE, 1)
        f.line([(x0 - 1, y0 + 1), (x0 + 2, y0 - 2)], LEATHER, 2)
    elif n in ("knife", "bknife", "fknife", "hknife", "kknife", "nknife", "sknife", "stnknife"):
        blade = (150, 140, 130) if n == "stnknife" else IRON
        f.line([(11, 21), (15, 17)], WOOD if n != "bknife" else (230, 220, 200), 2)
        f.line([(16, 16), (21, 11)], blade, 2 if n in ("hknife", "bknife") else 1)
    elif n in ("handaxe", "woodaxe", "bataxe", "broaxe", "caraxe", "spliaxe", "stnaxe"):
        big = n in ("bataxe", "broaxe")
        f.line([(9, 24), (19, 8)], WOOD, 2)
        head = (150, 140, 130) if n == "stnaxe" else IRON
        f.poly([(17, 9), (24, 7 - big * 2), (24, 15 + big * 2), (19, 13)], head)
        if n == "spliaxe":
            f.poly([(17, 9), (22, 11), (19, 13)], IRON_D)
    elif n == "sickle":
        f.line([(10, 23), (13, 19)], WOOD, 2)
        f.line([(13, 19), (18, 12), (22, 11), (24, 14)], IRON, 1)
    elif n in ("spear", "javelin", "norspear", "kauspear", "ango", "staff", "hrdstaff", "trident",
               "smatrid", "widetrid", "wedgeou"):
        f.line([(6, 26), (24, 6)], WOOD, 1 if n == "javelin" else 2)
        if n in ("spear", "norspear", "kauspear", "javelin", "ango", "wedgeou"):
            f.poly([(22, 8), (27, 2), (25, 9)], IRON)
            if n == "ango":
                f.line([(21, 9), (25, 5)], IRON, 1)
            if n == "wedgeou":
                f.line([(22, 5), (26, 9)], IRON, 1)
        if n in ("trident", "smatrid", "widetrid"):
            w = 3 if n != "widetrid" else 4
            f.line([(24, 6), (27, 3)], IRON)
            f.line([(24 - w, 6), (27 - w, 3)], IRON)
            f.line([(24, 6 + w), (27, 3 + w)], IRON)
            f.line([(24 - w, 6), (24, 6 + w)], IRON)
        if n == "hrdstaff":
            f.line([(6, 26), (9, 23)], (70, 50, 30), 2)
    elif n in ("club", "flail", "sflail"):
        if n == "club":
            f.line([(9, 24), (17, 14)], WOOD, 2)
            f.ellipse(15, 7, 22, 15, WOOD_D)
        else:
            f.line([(8, 25), (15, 16)], WOOD, 2)
            f.line([(15, 16), (19, 11)], IRON_D, 1)
            f.ellipse(18, 6, 24, 12, WOOD_D if n == "flail" else IRON)
    elif n in ("huntbow", "longbow", "junipbow", "shortbow", "northbow"):
        h = {"longbow": 12, "huntbow": 10, "junipbow": 10, "shortbow": 8, "northbow": 10}[n]
        f.line([(12, 15 - h), (16, 15 - h // 2), (17, 15), (16, 15 + h // 2), (12, 15 + h)],
               (170, 120, 60) if n != "northbow" else (120, 90, 60), 2)
        f.line([(12, 15 - h), (12, 15 + h)], (230, 224, 200))
    elif n == "crossbow":
        f.line([(8, 22), (20, 10)], WOOD, 2)
        f.line([(14, 8), (24, 18)], IRON_D, 2)
        f.line([(14, 8), (19, 17), (24, 18)], (230, 224, 200))
    elif n in ("arrow", "bharrow", "blarrow", "brkarrow"):
        f.line([(7, 23), (22, 8)], WOOD)
        if n == "blarrow":
            f.ellipse(21, 6, 24, 9, WOOD_D)
        elif n == "brkarrow":
            f.line([(15, 15), (17, 11)], WOOD)
        else:
            f.poly([(21, 7), (25, 5), (23, 10)], IRON if n != "bharrow" else (220, 220, 228))
        f.line([(7, 23), (6, 20)], (220, 60, 40))
        f.line([(7, 23), (10, 24)], (220, 60, 40))
    elif n in ("buckler", "rshield"):
        r_ = 6 if n == "buckler" else 9
        f.ellipse(15 - r_, 15 - r_, 15 + r_, 15 + r_, (140, 60, 40) if n == "rshield" else WOOD)
        f.ellipse(13, 13, 17, 17, IRON)
        f.line([(15 - r_, 15), (15 + r_, 15)], WOOD_D)
    else:
        f.line([(9, 22), (21, 10)], IRON, 2)
    return f


def garment(name):
    n = name[3:]
    f = Frame()
    col = LINEN
    if n.startswith("fur"):
        col = FUR
    elif n.startswith("lea") or n in ("ungarm",):
        col = LEATHER
    elif n.startswith("wool") or n.startswith("wl"):
        col = WOOL
    elif "mail" in n or n.startswith("lmail") or n in ("helm", "sphelm", "coudes", "kneecops") or n.startswith("lam"):
        col = IRON
    elif n.startswith("bb"):
        col = BARK
    elif n.startswith("wo"):
        col = (170, 80, 70)
    if n.startswith("wo") and not n.startswith("wool"):
        col = (176, 90, 76)
    dark = shade(col, 0.75)
    kind = "shirt"
    for key, k in (("cap", "cap"), ("hood", "hood"), ("helm", "helm"), ("haub", "hood"), ("hau", "hood"),
                   ("cowl", "hood"), ("cwl", "hood"), ("veil", "veil"), ("boots", "boots"),
                   ("shoes", "boots"), ("sock", "boots"), ("footrags", "boots"), ("mit", "mitten"),
                   ("legg", "legs"), ("trous", "legs"), ("rous", "legs"), ("knee", "knee"), ("belt", "belt"),
                   ("neckl", "neck"), ("cloak", "cloak"), ("apron", "apron"), ("dress", "dress"),
                   ("coat", "coat"), ("coud", "knee"), ("cui", "vest"), ("fagu", "guard"), ("shgu", "guard"),
                   ("rere", "guard"), ("habe", "shirt"), ("tunic", "shirt"), ("shirt", "shirt"),
                   ("shi", "shirt"), ("ungarm", "shirt")):
        if key in n:
            kind = k
            break
    if kind == "cap":
        f.ellipse(9, 11, 21, 21, col)
        f.rect(9, 17, 21, 20, dark)
    elif kind == "hood":
        f.poly([(8, 23), (10, 11), (15, 7), (20, 11), (22, 23)], col)
        f.ellipse(12, 13, 18, 21, (40, 32, 28))
    elif kind == "helm":
        f.ellipse(9, 9, 21, 21, col)
        f.rect(9, 16, 21, 21, dark)
        f.rect(14, 15, 16, 22, dark)
        if n == "sphelm":
            f.poly([(13, 10), (15, 5), (17, 10)], col)
    elif kind == "veil":
        f.poly([(9, 9), (21, 9), (23, 23), (7, 23)], col)
        f.line([(9, 12), (21, 12)], dark)
    elif kind == "boots":
        f.poly([(8, 10), (13, 10), (13, 18), (18, 18), (18, 22), (8, 22)], col)
        f.poly([(16, 10), (21, 10), (21, 18), (25, 18), (25, 22), (16, 22)], shade(col, 0.9))
    elif kind == "mitten":
        f.ellipse(8, 10, 15, 22, col)
        f.ellipse(6, 14, 9, 18, col)
        f.ellipse(16, 10, 23, 22, shade(col, 0.9))
        f.ellipse(22, 14, 25, 18, shade(col, 0.9))
    elif kind == "legs":
        f.poly([(9, 7), (21, 7), (22, 24), (17, 24), (15, 13), (13, 24), (8, 24)], col)
        f.line([(9, 9), (21, 9)], dark)
    elif kind == "knee":
        f.ellipse(8, 10, 15, 20, col)
        f.ellipse(16, 10, 23, 20, col)
    elif kind == "guard":
        f.rect(9, 8, 13, 22, col)
        f.rect(17, 8, 21, 22, col)
        for y in range(10, 22, 3):
            f.line([(9, y), (13, y)], dark)
            f.line([(17, y), (21, y)], dark)
    elif kind == "belt":
        f.rect(5, 13, 26, 16, col)
        f.rect(14, 12, 17, 17, BRONZE)
    elif kind == "neck":
        f.ellipse(8, 8, 22, 22, BARK)
        for y in range(10, 21):
            for x in range(10, 21):
                if (x - 15) ** 2 + (y - 15) ** 2 < 20:
                    f.clear_px(x, y)
        for k in range(8):
            a = k * 0.8
            f.px(15 + 6 * math.cos(a), 15 + 6 * math.sin(a), (180, 40, 40))
    elif kind == "cloak":
        f.poly([(12, 6), (18, 6), (24, 24), (6, 24)], col)
        f.ellipse(14, 6, 16, 8, BRONZE)
    elif kind == "apron":
        f.rect(10, 8, 20, 24, col)
        f.line([(8, 10), (22, 10)], dark)
    elif kind == "dress":
        f.poly([(11, 5), (19, 5), (20, 10), (24, 25), (6, 25), (10, 10)], col)
        f.line([(10, 11), (20, 11)], dark)
    elif kind == "coat":
        f.poly([(9, 6), (21, 6), (26, 12), (23, 14), (22, 25), (8, 25), (7, 14), (4, 12)], col)
        f.line([(15, 7), (15, 24)], dark)
    elif kind == "vest":
        f.rect(9, 7, 21, 22, col)
        for y in range(9, 22, 3):
            f.line([(9, y), (21, y)], dark)
    else:  # shirt and tunic
        long = "lng" in n or "tunic" in n or "habe" in n
        f.poly([(10, 6), (20, 6), (26, 11), (23, 14), (21, 12), (21, 22 + long * 2), (9, 22 + long * 2),
                (9, 12), (7, 14), (4, 11)], col)
        f.line([(13, 6), (15, 9), (17, 6)], dark)
        if "mail" in n or "lam" in n:
            for y in range(8, 23, 2):
                for x in range(10 + y % 4 // 2, 21, 2):
                    f.px(x, y, dark)
    return f


def jewel(name):
    n = name[3:]
    f = Frame()
    metal = SILVER if n.startswith("s") else BRONZE
    if "ring" in n:
        f.ellipse(11, 11, 20, 20, metal)
        f.ellipse(13, 13, 18, 18, (0, 0, 0))
        f.clear_px(15, 15)
        for y in range(13, 19):
            for x in range(13, 19):
                if (x - 15.5) ** 2 + (y - 15.5) ** 2 < 5:
                    f.clear_px(x, y)
        if n == "bbring":
            f.px(15, 10, (200, 40, 40))
    elif "brooch" in n:
        s = 4 if n.endswith("s") else 6
        f.ellipse(15 - s, 15 - s, 15 + s, 15 + s, metal)
        f.ellipse(13, 13, 17, 17, shade(metal, 0.8))
        f.line([(15 - s, 15), (15 + s + 2, 12)], IRON)
    elif "brace" in n:
        f.ellipse(8, 10, 22, 20, metal)
        f.ellipse(10, 12, 20, 18, shade(metal, 0.6))
        for y in range(13, 18):
            for x in range(11, 20):
                if ((x - 15) / 4.5) ** 2 + ((y - 15) / 2.5) ** 2 < 1:
                    f.clear_px(x, y)
    elif "pen" in n:
        f.line([(9, 7), (15, 13), (21, 7)], (120, 90, 60))
        f.ellipse(12, 13, 18, 20, metal)
        if n == "spensun":
            for k in range(8):
                a = k * math.pi / 4
                f.px(15 + 5 * math.cos(a), 16.5 + 5 * math.sin(a), metal)
    elif "comb" in n:
        f.rect(8, 11, 22, 15, metal)
        for x in range(8, 23, 2):
            f.rect(x, 16, x, 21, metal)
    else:
        f.ellipse(11, 11, 19, 19, metal)
    return f


# Items whose tile names have no prefix: timber and stone.
BARE_ITEMS = ["log", "rock", "sltrunk", "stone", "trunk", "wdblk"]
BONE = (226, 216, 192)
BONE_D = (180, 168, 140)
STONE = (132, 132, 126)
STONE_D = (96, 96, 92)


def bone(f, length, thick):
    """A long bone lying across the cell: a shaft with knobbed ends."""
    x0, x1 = 16 - length // 2, 16 + length // 2
    f.line([(x0 + 2, 18), (x1 - 2, 13)], BONE, thick)
    for x, y in ((x0, 18), (x1, 13)):
        f.ellipse(x - 2, y - 2 - thick // 2, x + 2, y + 2 + thick // 2, BONE)
    f.line([(x0 + 3, 19), (x1 - 3, 14)], BONE_D)


def skull(f, wide):
    """A skull seen from above: the cranium, the eye holes and the snout."""
    f.ellipse(9 - wide, 7, 22 + wide, 19, BONE)
    f.poly([(11, 16), (20, 16), (18, 25), (13, 25)], BONE)
    f.ellipse(10 - wide // 2, 13, 13 - wide // 2, 16, (60, 52, 44))
    f.ellipse(18 + wide // 2, 13, 21 + wide // 2, 16, (60, 52, 44))
    f.line([(14, 23), (17, 23)], BONE_D)


def item(name):
    n = name.split("-", 1)[-1]
    f = Frame()
    r = rng(name)
    if name.startswith("wp-"):
        return weapon(name)
    if name.startswith("ar-"):
        return garment(name)
    if name.startswith("vl-"):
        return jewel(name)
    if name.startswith("tr-"):
        if n in ("deadf", "sdeadf", "heavydf"):
            big = {"sdeadf": 0, "deadf": 1, "heavydf": 2}[n]
            f.poly([(5, 22), (24, 12 - big * 3), (26, 14 - big * 3), (7, 24)], WOOD)
            f.rect(14, 17 - big, 15, 24, WOOD_D)
            for _ in range(big + 1):
                f.ellipse(18, 6 - big * 2, 24, 12 - big * 2, (120, 118, 110))
        elif n == "lever":
            f.line([(6, 23), (24, 10)], WOOD, 2)
            f.rect(12, 18, 13, 24, WOOD_D)
            f.ellipse(20, 6, 26, 11, (120, 118, 110))
        elif n in ("pitcover", "stpitcov"):
            f.rect(6, 8, 24, 23, (120, 140, 70))
            for x in range(7, 24, 3):
                f.line([(x, 8), (x + 1, 23)], WOOD_D)
            if n == "stpitcov":
                for x in (9, 15, 21):
                    f.poly([(x - 1, 23), (x, 18), (x + 1, 23)], (200, 190, 170))
        elif n == "loop":
            f.ellipse(9, 9, 21, 21, (190, 180, 150))
            f.ellipse(11, 11, 19, 19, (0, 0, 0))
            for y in range(11, 20):
                for x in range(11, 20):
                    if (x - 15) ** 2 + (y - 15) ** 2 < 14:
                        f.clear_px(x, y)
            f.line([(21, 15), (26, 24)], (190, 180, 150))
        elif n == "pawboard":
            f.rect(6, 12, 25, 19, WOOD)
            f.line([(8, 12), (23, 12)], IRON_D)
            f.line([(8, 19), (23, 19)], IRON_D)
        return f
    if name.startswith("bo-"):
        length, thick = {"longl": (22, 3), "longm": (16, 2), "longs": (11, 1)}.get(n, (16, 2))
        bone(f, length, thick)
        return f
    if name.startswith("hd-"):
        skull(f, 2 if n == "bear" else 0)
        if n == "seal":
            f.line([(13, 25), (18, 25)], BONE_D)
        return f
    designs = {
        "bag": lambda: (f.ellipse(9, 10, 21, 24, LEATHER), f.rect(12, 7, 18, 10, shade(LEATHER, 0.8))),
        "bandage": lambda: (f.ellipse(9, 11, 21, 21, LINEN), f.ellipse(13, 14, 17, 18, shade(LINEN, 0.8))),
        "bark": lambda: (f.poly([(7, 12), (24, 9), (25, 18), (8, 21)], BARK),
                         [f.px(r.randint(9, 22), r.randint(11, 18), (40, 40, 40)) for _ in range(8)]),
        "bbball": lambda: (f.ellipse(10, 10, 21, 21, BARK), f.line([(10, 15), (21, 15)], shade(BARK, 0.7))),
        "bbbask": lambda: (f.poly([(7, 11), (24, 11), (21, 24), (10, 24)], BARK),
                           [f.line([(x, 11), (x, 24)], shade(BARK, 0.75)) for x in range(9, 23, 3)]),
        "bbbox": lambda: (f.rect(8, 11, 23, 23, BARK), f.rect(8, 11, 23, 13, shade(BARK, 0.8))),
        "birtwig": lambda: [f.line([(6, 22 - k), (25, 14 - k)], (120, 90, 60)) for k in range(0, 6, 2)],
        "birwithe": lambda: f.line([(6, 20), (11, 12), (17, 20), (23, 12), (26, 16)], (140, 120, 80), 1),
        "board": lambda: (f.rect(5, 13, 26, 18, (180, 140, 90)), f.line([(5, 15), (26, 15)], (150, 110, 70))),
        "bonehook": lambda: (f.line([(15, 7), (15, 19), (12, 22), (10, 19)], (230, 220, 200), 2),),
        "branch": lambda: (f.line([(5, 22), (25, 10)], (110, 84, 56), 2), f.line([(15, 16), (18, 8)], (110, 84, 56))),
        "bread": lambda: (f.ellipse(7, 11, 24, 22, (190, 130, 70)), f.line([(11, 14), (20, 14)], (160, 100, 50))),
        "candle": lambda: (f.rect(13, 11, 17, 24, (236, 226, 190)), f.px(15, 10, (40, 40, 40)),
                           f.ellipse(14, 5, 16, 9, (250, 190, 60))),
        "cord": lambda: f.line([(7, 20), (11, 12), (16, 19), (21, 11), (25, 17)], (180, 160, 110)),
        "defpelt": lambda: f.poly([(8, 8), (12, 11), (19, 11), (23, 8), (22, 16), (25, 24), (19, 21),
                                   (12, 21), (6, 24), (9, 16)], FUR),
        "eantler": lambda: [f.line(p, (214, 196, 160), 2) for p in
                            ([(9, 24), (14, 12), (12, 5)], [(14, 12), (21, 7)], [(13, 17), (20, 15)])],
        "egg": lambda: (f.ellipse(12, 10, 19, 21, (236, 226, 200)), f.px(14, 13, (250, 246, 236))),
        "feather": lambda: (f.line([(8, 24), (22, 7)], (200, 200, 200)),
                            f.poly([(11, 19), (20, 6), (24, 9), (14, 22)], (120, 120, 130))),
        "fibres": lambda: [f.line([(8 + k, 24), (12 + k * 2, 7)], (200, 190, 140)) for k in range(0, 8, 2)],
        "firewood": lambda: [f.ellipse(x, y, x + 7, y + 5, (150, 104, 60)) for x, y in ((7, 17), (15, 17), (11, 12))],
        "fishrod": lambda: (f.line([(5, 25), (25, 5)], WOOD), f.line([(25, 5), (25, 18)], (220, 220, 220))),
        "flbread": lambda: (f.ellipse(6, 12, 25, 21, (200, 160, 100)), f.ellipse(14, 15, 17, 17, (120, 90, 60))),
        "harefoot": lambda: (f.ellipse(10, 8, 17, 22, (230, 226, 214)), f.rect(12, 20, 15, 24, (180, 150, 120))),
        "horn": lambda: (f.poly([(7, 20), (20, 9), (24, 11), (11, 23)], (220, 200, 150)),
                         f.ellipse(20, 7, 25, 12, (180, 150, 100))),
        "ironhook": lambda: f.line([(15, 7), (15, 19), (12, 22), (10, 19)], IRON, 1),
        "net": lambda: [f.line(p, (170, 160, 120)) for p in
                        ([(6, 8), (24, 24)], [(12, 8), (26, 20)], [(6, 14), (18, 25)], [(24, 8), (6, 24)],
                         [(18, 8), (6, 19)], [(26, 13), (13, 25)])],
        "paddle": lambda: (f.line([(7, 24), (18, 11)], WOOD, 2), f.ellipse(17, 4, 25, 13, WOOD)),
        "pot": lambda: (f.ellipse(8, 10, 23, 24, (90, 80, 76)), f.rect(8, 10, 23, 12, (60, 56, 52))),
        "punt": lambda: (f.poly([(3, 15), (28, 15), (25, 21), (6, 21)], WOOD), f.line([(4, 16), (27, 16)], WOOD_D)),
        "raft": lambda: [f.rect(x, 8, x + 3, 24, (150 - x, 108, 64)) for x in range(5, 26, 4)],
        "rantler": lambda: [f.line(p, (200, 184, 150), 1) for p in
                            ([(10, 24), (13, 10), (9, 4)], [(13, 14), (20, 9)], [(13, 10), (17, 4)])],
        "rawwool": lambda: [f.ellipse(x, y, x + 7, y + 6, WOOL) for x, y in ((8, 14), (14, 12), (12, 18))],
        "rope": lambda: (f.ellipse(8, 9, 23, 23, (170, 140, 90)), f.ellipse(11, 12, 20, 20, (140, 110, 60)),
                         f.ellipse(14, 15, 17, 17, (170, 140, 90))),
        "scoop": lambda: (f.ellipse(7, 13, 16, 21, WOOD), f.line([(15, 16), (25, 11)], WOOD, 2)),
        "sesta": lambda: (f.line([(6, 24), (24, 6)], (170, 120, 70), 2),),
        "shovel": lambda: (f.line([(8, 6), (17, 17)], WOOD, 2), f.poly([(15, 17), (21, 15), (24, 24), (18, 25)], IRON)),
        "skis": lambda: (f.rect(10, 3, 12, 27, WOOD), f.rect(18, 3, 20, 27, WOOD),
                         f.rect(10, 14, 12, 16, LEATHER), f.rect(18, 14, 20, 16, LEATHER)),
        "skistick": lambda: (f.line([(8, 5), (22, 26)], WOOD), f.ellipse(18, 21, 24, 25, LEATHER)),
        "spindle": lambda: (f.line([(15, 5), (15, 25)], WOOD), f.ellipse(11, 17, 19, 21, (150, 140, 130)),
                            f.ellipse(12, 9, 18, 14, WOOL)),
        "sprtwig": lambda: [f.line([(6, 20 - k), (25, 13 - k)], (40, 100, 50)) for k in range(0, 6, 2)],
        "sprwithe": lambda: f.line([(6, 20), (11, 12), (17, 20), (23, 12), (26, 16)], (90, 110, 60), 1),
        "straw": lambda: [f.line([(7 + k, 24), (13 + k, 7)], (220, 200, 110)) for k in range(0, 10, 2)],
        "torch": lambda: (f.line([(10, 25), (18, 12)], WOOD, 2), f.ellipse(15, 4, 22, 12, (250, 160, 40)),
                          f.ellipse(17, 6, 20, 10, (255, 230, 120))),
        "vasta": lambda: (f.ellipse(9, 6, 21, 18, (70, 120, 50)), f.line([(15, 18), (15, 25)], (120, 90, 60), 2)),
        "wdbowl": lambda: (f.ellipse(7, 12, 24, 22, WOOD), f.ellipse(9, 12, 22, 16, WOOD_D)),
        "wdcup": lambda: (f.rect(11, 12, 19, 22, WOOD), f.rect(19, 14, 21, 19, WOOD_D), f.rect(11, 12, 19, 13, WOOD_D)),
        "wdhook": lambda: f.line([(15, 7), (15, 19), (12, 22), (10, 19)], WOOD, 2),
        "wdmug": lambda: (f.rect(10, 10, 19, 23, WOOD), f.ellipse(18, 13, 23, 20, WOOD_D),
                          f.rect(10, 10, 19, 11, WOOD_D)),
        "wdshovel": lambda: (f.line([(8, 6), (17, 17)], WOOD, 2), f.poly([(15, 17), (21, 15), (24, 24), (18, 25)], WOOD_D)),
        "wdstake": lambda: (f.rect(14, 5, 16, 21, WOOD), f.poly([(14, 21), (15, 26), (16, 21)], WOOD_D)),
        "wdtub": lambda: (f.rect(7, 11, 24, 24, WOOD), [f.line([(x, 11), (x, 24)], WOOD_D) for x in range(9, 24, 3)],
                          f.line([(7, 14), (24, 14)], (80, 60, 40))),
        "wtrskin": lambda: (f.ellipse(8, 10, 22, 24, LEATHER), f.rect(13, 6, 17, 10, shade(LEATHER, 0.8))),
        "yarn": lambda: (f.ellipse(9, 10, 21, 22, (170, 60, 50)), f.line([(11, 13), (19, 19)], (140, 40, 40))),
        "fish": lambda: (f.ellipse(6, 12, 22, 19, (140, 150, 140)), f.poly([(6, 15), (2, 11), (2, 20)], (110, 120, 110)),
                         f.px(19, 14, (20, 20, 20)), f.line([(8, 17), (20, 17)], (200, 200, 190))),
        "fat": lambda: (f.ellipse(8, 11, 23, 22, (240, 232, 206)), f.ellipse(12, 14, 17, 17, (250, 246, 230))),
        "salt": lambda: (f.poly([(7, 23), (13, 13), (16, 11), (19, 13), (25, 23)], (226, 226, 220)),
                         [f.px(r.randint(10, 22), r.randint(15, 22), (250, 250, 246)) for _ in range(10)],
                         f.line([(7, 23), (25, 23)], (176, 176, 170))),
        "log": lambda: (f.rect(5, 13, 26, 19, LOG), f.ellipse(23, 12, 27, 20, (196, 160, 110)),
                        f.line([(6, 15), (22, 15)], LOG_DARK)),
        "trunk": lambda: (f.rect(2, 12, 28, 20, LOG), f.ellipse(25, 11, 29, 21, (196, 160, 110)),
                          f.line([(3, 14), (24, 14)], LOG_DARK), f.line([(10, 20), (8, 23)], LOG_DARK)),
        "sltrunk": lambda: (f.rect(2, 14, 28, 18, LOG), f.ellipse(26, 13, 29, 19, (196, 160, 110)),
                            f.line([(3, 15), (25, 15)], LOG_DARK)),
        "wdblk": lambda: (f.rect(9, 12, 22, 23, (176, 132, 84)), f.rect(9, 12, 22, 14, (206, 170, 120)),
                          f.line([(11, 17), (20, 17)], WOOD_D)),
        "stone": lambda: (f.ellipse(10, 14, 21, 23, STONE), f.ellipse(12, 15, 16, 18, (160, 160, 154))),
        "rock": lambda: (f.ellipse(5, 9, 26, 25, STONE), f.ellipse(8, 11, 16, 17, (164, 164, 158)),
                         f.line([(12, 20), (22, 16)], STONE_D)),
        "meatcut": lambda: (f.ellipse(7, 10, 24, 22, (170, 50, 50)), f.ellipse(11, 13, 19, 18, (200, 90, 90)),
                            f.ellipse(20, 12, 24, 16, (240, 230, 210))),
    }
    if n in designs:
        designs[n]()
    else:
        f.ellipse(10, 10, 21, 21, (150, 130, 100))
    return f


def item_frames(name):
    f = item(name)
    f.noise(rng(name + "#"), 0.05)
    f.outline(OUTLINE)
    return [f]


def plant_frames(name, nframes=5):
    """Growth stages: sprout, young, grown, flowering, ripe."""
    r = rng(name)
    res = []
    for i in range(nframes):
        f = Frame()
        h = 4 + i * 3
        for k in range(3 + i):
            x = 11 + r.randint(0, 9)
            f.line([(x, 24), (x + r.randint(-2, 2), 24 - h + r.randint(0, 3))], (60, 130, 50))
            f.px(x - 1, 24 - h // 2, (80, 150, 60))
        if i >= 3:
            for _ in range(4):
                f.px(r.randint(9, 21), 24 - h + r.randint(0, 3), (230, 220, 90) if i == 3 else (170, 40, 60))
        f.outline(OUTLINE)
        res.append(f)
    return res


FLORA_DESIGNS = ("berry", "mushroom", "reed", "grain", "rockwort", "bogherb")


def flora_frames(name, nframes=5):
    """Growth stages of the plants with a look of their own: sprout, young,
    grown, flowering, ripe. Even the sprout stands clear of the ground, as
    the map shows a wild plant by its first frame."""
    kind = name[4:]
    r = rng(name)
    res = []
    for i in range(nframes):
        f = Frame()
        g = 0.55 + 0.1 * i  # grows with the stage
        if kind == "berry":
            # A low dwarf shrub: leafy twigs, red (then dark) berries when ripe.
            for k in range(4 + i):
                x = 10 + r.randint(0, 10)
                top = 24 - int(6 * g) - r.randint(0, 2)
                f.line([(x, 24), (x + r.randint(-2, 2), top)], (70, 104, 44))
                f.ellipse(x - 2, top - 1, x + 1, top + 1, (58, 120, 52))
            if i >= 3:
                for _ in range(5):
                    bx, by = r.randint(9, 20), r.randint(16, 21)
                    f.ellipse(bx, by, bx + 2, by + 2, (236, 230, 220) if i == 3 else (196, 24, 36))
        elif kind == "mushroom":
            # A cap on a pale stem; the cap widens as it grows.
            h = int(5 + 4 * g)
            w = int(3 + 4 * g)
            f.rect(14, 24 - h, 16, 24, (226, 214, 186))
            f.ellipse(15 - w, 22 - h, 15 + w, 26 - h + 2, (176, 104, 48))
            f.line([(16 - w + 2, 23 - h), (14 + w - 2, 23 - h)], (206, 150, 84))
        elif kind == "reed":
            # Tall stalks with brown heads when grown.
            for k in range(3 + i):
                x = 9 + r.randint(0, 12)
                top = 24 - int(12 * g) - r.randint(0, 3)
                f.line([(x, 24), (x + r.randint(-1, 1), top)], (96, 140, 60))
                if i >= 2:
                    f.rect(x - 1, top - 1, x, top + 2, (120, 84, 44))
        elif kind == "grain":
            # Stalks with ears, green first, golden when ripe.
            ear = (168, 190, 84) if i < 4 else (226, 196, 96)
            for k in range(3 + i // 2):
                x = 9 + 3 * k + r.randint(0, 1)
                top = 24 - int(11 * g) - r.randint(0, 2)
                f.line([(x, 24), (x + 1, top)], (124, 156, 66))
                if i >= 2:
                    f.rect(x + 1, top - 3, x + 1, top, ear)
                    f.px(x + 2, top - 1, ear)
        elif kind == "rockwort":
            # A fleshy rosette on a rock, flowering yellow.
            f.ellipse(9, 19, 22, 25, (128, 126, 118))
            for k in range(5):
                a = k * 2 * math.pi / 5 + r.random()
                x, y = 15 + 4 * g * math.cos(a), 18 + 2 * g * math.sin(a)
                f.ellipse(x - 2, y - 1, x + 1, y + 1, (90, 140, 96))
            if i >= 3:
                for _ in range(4):
                    f.px(r.randint(12, 19), r.randint(14, 18), (240, 210, 60))
        else:  # bogherb
            # Three-parted leaves on thick stems, white feathery flowers.
            for k in range(3 + i // 2):
                x = 10 + r.randint(0, 10)
                top = 24 - int(8 * g) - r.randint(0, 2)
                f.line([(x, 24), (x, top)], (86, 120, 70))
                for dx in (-2, 0, 2):
                    f.px(x + dx, top - (1 if dx == 0 else 0), (70, 130, 80))
                if i >= 3:
                    f.ellipse(x - 1, top - 4, x + 1, top - 2, (244, 240, 236))
        f.outline(OUTLINE)
        res.append(f)
    return res


def sapling_frames(name):
    res = []
    for i in range(2):
        f = Frame()
        if "spr" in name:
            spruce(f, 15, 24, 8 + 3 * i)
        else:
            leafy(f, 15, 24, 9 + 3 * i, (110, 170, 66), None, rng(name), white_trunk=True)
        f.outline(OUTLINE)
        res.append(f)
    return res


# -------------------------------------------------------- marks and effects

def cursor_frames(name):
    n = name[4:]
    res = []
    count = 9 if n in ("locsel", "marker", "flee", "agg", "zzz", "traps") else 8
    for i in range(count):
        f = Frame()
        if n in ("facedirs", "pcdirs"):
            a = -i * math.pi / 4  # y grows southward, so north-east is up and right
            cx, cy = 15, 15
            tipx, tipy = cx + 10 * math.cos(a), cy + 10 * math.sin(a)
            lx, ly = cx + 6 * math.cos(a + 0.5), cy + 6 * math.sin(a + 0.5)
            rx, ry = cx + 6 * math.cos(a - 0.5), cy + 6 * math.sin(a - 0.5)
            col = (250, 230, 90) if n == "facedirs" else (120, 220, 250)
            f.poly([(tipx, tipy), (lx, ly), (rx, ry)], col)
        elif n == "locsel":
            col = (250, 250, 120) if i % 2 == 0 else (250, 200, 80)
            for (x, y, dx, dy) in ((6, 5, 1, 1), (23, 5, -1, 1), (6, 24, 1, -1), (23, 24, -1, -1)):
                f.line([(x, y), (x + 4 * dx, y)], col)
                f.line([(x, y), (x, y + 4 * dy)], col)
        elif n == "marker":
            f.line([(12, 24), (12, 6)], (90, 70, 50))
            f.poly([(13, 6), (22, 9), (13, 12)], (240, 240, 240))
        elif n == "flee":
            f.poly([(8, 12), (16, 12), (16, 8), (24, 15), (16, 22), (16, 18), (8, 18)], (250, 250, 250))
        elif n == "agg":
            f.poly([(15, 2), (17, 7), (13, 7)], (230, 40, 30))
            f.rect(14, 7, 16, 10, (230, 40, 30))
            f.rect(14, 12, 16, 13, (230, 40, 30))
        elif n == "zzz":
            for k, (x, y) in enumerate(((17, 3), (21, 0), (12, 6))):
                s = 2 + (k == 0)
                f.line([(x, y), (x + s, y), (x, y + s), (x + s, y + s)], (240, 240, 255))
        elif n == "traps":
            f.ellipse(10, 10, 21, 21, (230, 60, 40))
            f.ellipse(12, 12, 19, 19, (250, 220, 210))
            f.ellipse(14, 14, 17, 17, (230, 60, 40))
        f.outline(OUTLINE)
        res.append(f)
    return res


def precip_frames(name):
    r = rng(name)
    res = []
    for i in range(4):
        f = Frame()
        for _ in range(6 + i):
            x, y = r.randint(CX0, CX1), r.randint(CY0, CY1 - 3)
            if name.endswith("rain"):
                f.line([(x, y), (x - 1, y + 3)], (170, 196, 230))
            else:
                f.px(x, y, (250, 250, 255))
                if r.random() < 0.5:
                    f.px(x + 1, y, (230, 236, 250))
        res.append(f)
    return res


def effect_frames(name):
    r = rng(name)
    res = []
    for i in range(2):
        f = Frame()
        if name == "fire":
            f.poly([(8, 24), (11, 12 + i), (14, 17), (16, 6 - i), (19, 16), (21, 11 + i), (24, 24)], (230, 110, 30))
            f.poly([(11, 24), (14, 16), (16, 11 + i), (18, 17), (21, 24)], (250, 200, 60))
            f.poly([(14, 24), (16, 18), (18, 24)], (255, 250, 200))
            for k in range(7, 25, 4):
                f.line([(k, 24), (k + 3, 22)], (96, 64, 40))
        elif name == "remofire":
            f.ellipse(7, 16, 24, 25, (60, 52, 48))
            for _ in range(8):
                f.line([(r.randint(8, 22), r.randint(18, 24)), (r.randint(8, 22), r.randint(18, 24))], (34, 28, 24))
        elif name == "embers":
            f.ellipse(8, 17, 23, 25, (70, 50, 40))
            for _ in range(14):
                f.px(r.randint(9, 22), r.randint(18, 24), r.choice([(250, 120, 30), (255, 200, 60), (200, 60, 20)]))
        elif name == "blood":
            for _ in range(5):
                x, y = r.randint(9, 20), r.randint(14, 22)
                s = r.randint(1, 3)
                f.ellipse(x - s, y - s // 2, x + s, y + s // 2, (150, 16, 16))
        res.append(f)
    return res


# ------------------------------------------------------- interface pictures

def gui_pictures():
    from PIL import Image, ImageDraw
    from common import KEY
    path = out("truetile/gui-sun.png")
    sun = Frame()
    sun.ellipse(8, 8, 23, 23, (255, 220, 80))
    sun.ellipse(11, 10, 18, 16, (255, 246, 170))
    for k in range(8):
        a = k * math.pi / 4
        sun.line([(15.5 + 10 * math.cos(a), 15.5 + 10 * math.sin(a)),
                  (15.5 + 14 * math.cos(a), 15.5 + 14 * math.sin(a))], (255, 200, 60))
    save_strip(path, [sun])
    moons = []
    for phase in range(8):
        m = Frame()
        m.ellipse(7, 7, 24, 24, (236, 236, 214))
        # the lit part grows from phase 0 (new) to 4 (full) and wanes again;
        # the unlit part is not drawn, so that a day moon never darkens the sun
        lit = phase / 4.0 if phase <= 4 else (8 - phase) / 4.0
        for y in range(7, 25):
            for x in range(7, 25):
                if m.get(x, y) is None:
                    continue
                u = (x - 15.5) / 8.5
                edge = 1 - 2 * lit
                shadow = lit == 0 or (u < edge if phase <= 4 else -u < edge)
                if shadow:
                    m.clear_px(x, y)
        moons.append(m)
    save_strip(out("truetile/gui-moon.png"), moons)
    # clouds: one 64 x 64 picture, keyed on its top-left pixel
    r = rng("gui-clouds")
    img = Image.new("RGB", (64, 64), KEY)
    d = ImageDraw.Draw(img)
    for _ in range(9):
        x, y = r.randint(4, 40), r.randint(14, 36)
        w, h = r.randint(14, 22), r.randint(10, 16)
        g = r.randint(200, 236)
        d.ellipse([x, y, x + w, y + h], fill=(g, g, g + 10))
    img.save(out("truetile/gui-clouds.png"), optimize=True)
    for name, col in (("gui-rain", (150, 180, 230)), ("gui-snowfall", (250, 250, 255))):
        img = Image.new("RGB", (32, 32), KEY)
        d = ImageDraw.Draw(img)
        r = rng(name)
        for _ in range(14):
            x, y = r.randint(1, 30), r.randint(1, 28)
            if name == "gui-rain":
                d.line([(x, y), (x - 1, y + 3)], fill=col)
            else:
                d.point((x, y), fill=col)
                d.point((x + 1, y + 1), fill=col)
        img.save(out("truetile/%s.png" % name), optimize=True)
    img = Image.new("RGB", (96, 24), KEY)
    d = ImageDraw.Draw(img)
    r = rng("gui-horizon")
    d.rectangle([0, 14, 95, 23], fill=(40, 70, 40))
    for x in range(0, 96, 5):
        h = r.randint(6, 12)
        d.polygon([(x, 16), (x + 3, 16 - h), (x + 6, 16)], fill=(24, 56, 32))
    img.save(out("truetile/gui-horizon.png"), optimize=True)
    # the light glow of the map view: a soft warm disc on black
    img = Image.new("RGB", (64, 64), (0, 0, 0))
    for y in range(64):
        for x in range(64):
            t = max(0.0, 1 - math.hypot(x - 31.5, y - 31.5) / 32)
            img.putpixel((x, y), (clamp(255 * t), clamp(190 * t * t), clamp(90 * t ** 3)))
    img.save(out("truetile/gui-firelit.png"), optimize=True)
    # compass pieces, keyed on their top-left pixel
    img = Image.new("RGB", (32, 32), KEY)
    d = ImageDraw.Draw(img)
    d.polygon([(16, 2), (24, 18), (16, 14), (8, 18)], fill=(250, 230, 90), outline=(40, 30, 20))
    img.save(out("truetile/gui-arrow.png"), optimize=True)
    img = Image.new("RGB", (16, 16), KEY)
    d = ImageDraw.Draw(img)
    d.ellipse([3, 3, 12, 12], fill=(240, 120, 40), outline=(60, 30, 10))
    d.arc([0, 0, 15, 15], 300, 60, fill=(250, 220, 120))
    img.save(out("truetile/gui-sndclue.png"), optimize=True)


# ------------------------------------------------------------------ table

TERRAIN_GROUND = {
    # name: (base colour, speck colour, extra)
    "ground": ((112, 128, 70), (86, 104, 52), {}),
    "gcmoss": ((76, 132, 60), (110, 160, 70), {}),
    "gcfloor": ((160, 120, 78), None, {"planks": 1}),
    "pasture": ((116, 150, 70), (196, 196, 90), {}),
    "field": ((176, 150, 80), (140, 110, 56), {"rows": 1}),
    "prepsoil": ((104, 76, 50), (80, 58, 38), {"rows": 1}),
    "road": ((150, 126, 92), (120, 100, 72), {}),
    "snowgnd": ((236, 240, 246), (210, 220, 236), {}),
}
WATER = {
    "water": ((56, 104, 150), (120, 170, 210), {}),
    "dpwater": ((36, 76, 126), (80, 130, 180), {}),
    "shwater": ((80, 130, 160), (150, 196, 220), {}),
    "sea": ((40, 80, 120), (100, 150, 190), {}),
    "shsea": ((64, 110, 140), (130, 180, 206), {}),
    "river": ((60, 110, 150), (130, 180, 214), {"flow": True}),
    "rapids": ((70, 120, 156), (160, 200, 226), {"flow": True, "foam": 10}),
    "ford": ((96, 136, 150), (160, 190, 200), {"flow": True, "foam": 3}),
}
TREES = ["spruce", "spruces", "yspruce", "pine", "ypine", "birch", "birchs", "ndbirch", "ndbirchs",
         "alder", "ndalder", "rowan", "ndrowan", "leanyspr"]
CLUSTERS = ["conifore", "sprmire", "lichpine", "pinemire", "grove", "thicket", "bushes", "heath",
            "openmire", "hill", "mount", "cliff", "hicliff", "boulder", "antnest", "cave"]
THINGS = ["doorcl", "doorop", "shutter", "fence", "fenceclg", "fenceopg", "bench", "bunk", "table",
          "firepla", "saustove", "kotafram", "kotadoor", "kotacamp", "shelter", "village", "fortvill",
          "snghouse", "pit", "cellar", "icehole"]
WALLS = {"walln": "n", "walls": "s", "walle": "e", "wallw": "w", "wallnec": "ne", "wallnwc": "nw",
         "wallsec": "se", "wallswc": "sw"}
KOTA = {"kotan": "n", "kotas": "s", "kotae": "e", "kotaw": "w", "kotanec": "ne", "kotanwc": "nw",
        "kotasec": "se", "kotaswc": "sw"}

NPC_ROLES = {"adv": "adv", "boy": "boy", "girl": "girl", "man": "man", "woman": "woman",
             "oldman": "oldman", "sage": "sage", "wdsman": "wdsman", "craftm": "craftm",
             "trman": "trman", "war": "war"}


def frames_for(name):
    pre, n = name.split("-", 1)
    if pre == "ter":
        if n in TERRAIN_GROUND:
            base, speck, ex = TERRAIN_GROUND[n]
            fr = ground_tile(name, base, speck)
            if ex.get("planks"):
                for f in fr:
                    for y in range(CY0 + 3, CY1, 4):
                        f.line([(CX0 - 1, y), (CX1 + 1, y)], (120, 86, 54))
            if ex.get("rows"):
                for f in fr:
                    for y in range(CY0 + 2, CY1, 3):
                        f.line([(CX0, y), (CX1, y)], shade(base, 0.78))
            return fr
        if n in WATER:
            base, light, ex = WATER[n]
            return water_frames(name, base, light, flow=ex.get("flow", False), foam=ex.get("foam", 0))
        if n == "ice":
            return ice_frames(name, (190, 214, 230), (140, 170, 196))
        if n == "iceblue":
            return ice_frames(name, (150, 190, 226), (110, 150, 196))
        if n in ("snowbits", "snowthin"):
            return snow_overlay(name, n == "snowthin")
        if n.startswith("elev"):
            return elev_frames(name, int(n[4:]))
        if n in TREES:
            return tree_frames(name, n)
        if n in CLUSTERS:
            return cluster_frames(name, n)
        if n in THINGS:
            return thing_frames(name, n)
        if n in WALLS:
            return wall_frames(name, WALLS[n])
        if n in KOTA:
            return kota_frames(name, KOTA[n])
        raise SystemExit("no design for tile %s" % name)
    if pre == "av":
        return animal_frames(n)
    if pre == "npc":
        if n == "forspr":
            return person_frames("spirit", "f")
        if n == "ftrader":
            return person_frames("ftrader", "e")
        cul = "nj" if n.startswith("nj") else n[0]
        role = n[2:] if cul == "nj" else n[1:]
        female = role in ("woman", "girl")
        return person_frames(NPC_ROLES[role], cul, female)
    if pre == "pc":
        return person_frames("adv" if n == "male" else "woman", "pc", n == "female")
    if pre == "cur":
        return cursor_frames(name)
    if pre == "ele":
        return precip_frames(name)
    if pre == "flo":
        if n in FLORA_DESIGNS:
            return flora_frames(name)
        return plant_frames(name)
    if pre == "tb":
        return sapling_frames(name)
    if pre in ("it", "wp", "ar", "vl", "tr", "org", "fd", "bo", "hd"):
        return item_frames(name)
    raise SystemExit("no design for tile %s" % name)


def tile_names():
    from common import read_manifest
    names = []
    for kind, value in read_manifest():
        if kind == "file" and value.startswith("truetile/") and not value.startswith("truetile/gui-"):
            names.append(value[len("truetile/"):-len(".png")])
    return names


def main():
    names = tile_names()
    for name in names:
        if "-" in name:
            frames = frames_for(name)
        elif name in BARE_ITEMS:
            frames = item_frames(name)
        else:
            frames = effect_frames(name)
        save_strip(out("truetile/%s.png" % name), frames)
    gui_pictures()
    print("tiles: %d" % len(names))


if __name__ == "__main__":
    main()
