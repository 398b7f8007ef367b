"""Shared helpers of the installation-data generators.

Every generator is deterministic: it seeds its own random.Random from a fixed
number and walks its tables in a fixed order, so that running it twice gives
byte-identical files.
"""
import os
import random

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
DATA = os.path.join(ROOT, "data")
DOCS = os.path.join(ROOT, "docs")
TEXT = os.path.join(HERE, "text")

KEY = (255, 0, 255)  # the colour key of every tile (its pixel (0, 0))


def out(rel):
    path = os.path.join(DATA, rel)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    return path


def rng(name, seed=1973):
    """A generator of its own for one named thing: stable whatever else is made."""
    h = seed
    for ch in name:
        h = (h * 131 + ord(ch)) & 0xFFFFFFFF
    return random.Random(h)


def clamp(v, lo=0, hi=255):
    return lo if v < lo else hi if v > hi else int(v)


def shade(c, f):
    """Colour c lightened (f > 1) or darkened (f < 1)."""
    return tuple(clamp(x * f) for x in c[:3])


def mix(a, b, t):
    return tuple(clamp(a[i] + (b[i] - a[i]) * t) for i in range(3))


def safe(c):
    """Keeps a colour away from the magenta colour key."""
    r, g, b = c[:3]
    if r > 200 and b > 200 and g < 80:
        g = 80
    return (r, g, b)


def read_manifest():
    """(kind, value) pairs of tools/datagen/manifest.txt."""
    items = []
    with open(os.path.join(HERE, "manifest.txt"), encoding="latin-1") as f:
        for line in f:
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            if " " in line:
                kind, value = line.split(" ", 1)
                items.append((kind, value.strip()))
            else:
                items.append(("file", line))
    return items
