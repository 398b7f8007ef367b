#!/usr/bin/python3
"""Writes the text files of the installation: the hand-written sources of
tools/datagen/text/ (UTF-8 for easy editing) converted to Latin-1, and the
computed tables: the sight table "linedist.arr" and the two weather tables.

Usage: /usr/bin/python3 tools/datagen/gen_texts.py
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from common import TEXT, out  # noqa: E402

# Sight rays: 46 patterns of 40 bits, bit k telling whether step k + 1 also
# moves along the minor axis (ray 0 straight, ray 45 diagonal).
RAYS = ("0000000000 0000000800 0002000000 0040000800 0100040010 0400400800 0802010040 0808080808 "
        "1020408081 1041020820 2082104108 2108210842 2110844211 2221110888 2222222222 4444889111 "
        "4489122448 4892449124 4924892492 4925249249 4A49492925 5252929494 5294A54A52 54A94A952A "
        "552A954AA5 5554AAA955 5555555555 AAAAAAAAAA AAAB5555AA AAD56AB55A AB5AB56AD6 AD6B5AD6B5 "
        "ADADADADAD B6B6DB6B6D B6DB6EDB6D BB6EDBB6ED BBB776EEDD DDDDDDDDDD DDEF77BBDD DEFBDEF7DE "
        "EFBEFBEFDF EFEFEFDFDF FBFEFFBFEF FEFFFDFFFB FFFDFFFFFF FFFFFFFFFF").split()

FIXED_POINTS = [(15, -20, 8), (45, -18, 8), (75, -8, 8), (105, 6, 6), (135, 8, 6), (165, 16, 5),
                (195, 20, 5), (225, 16, 5), (255, 8, 6), (285, 2, 6), (315, -4, 6), (340, -12, 6)]
PRESSURE_TYPES = [("very high pressure", 2, 5, 0, 1, 3, 2, 0), ("high pressure", 3, 6, 1, 3, 10, 20, 0),
                  ("mild high pressure", 3, 6, 2, 4, 10, 30, 0), ("unstable", 3, 6, 3, 4, 8, 60, 8),
                  ("rainy", 2, 4, 6, 4, 10, 80, 12), ("stormy", 1, 2, 10, 10, 20, 80, 20),
                  ("mild low pressure", 3, 6, 2, 4, 10, 100, 10), ("low pressure", 2, 4, 2, 4, 10, 100, 14),
                  ("very low pressure", 1, 3, 0, 2, 6, 120, 20)]


def write_latin1(rel, text):
    data = text.encode("latin-1")  # fails loudly on a character outside Latin-1
    with open(out(rel), "wb") as f:
        f.write(data)


def copy_sources():
    count = 0
    for folder, _dirs, files in sorted(os.walk(TEXT)):
        for name in sorted(files):
            src = os.path.join(folder, name)
            rel = os.path.relpath(src, TEXT)
            with open(src, encoding="utf-8") as f:
                write_latin1(rel, f.read())
            count += 1
    return count


def linedist():
    """For each ray, the share of the sight distance it may walk: a ray that
    also steps sideways covers more ground per step, so it stops sooner and
    the seen area comes out round."""
    lines = ["// Sight table: one number per ray (46 rays), the share of the sight"
             " distance that the ray walks."]
    for pattern in RAYS:
        bits = bin(int(pattern, 16)).count("1")
        slope = bits / 40.0
        lines.append("%.4f" % (1.0 / math.sqrt(1.0 + slope * slope)))
    write_latin1("linedist.arr", "\n".join(lines) + "\n")


def weather_tables():
    fields = []
    for i, (day, mean, spread) in enumerate(FIXED_POINTS, 1):
        fields.append("day%d:%d;temp%d:%d;spread%d:%d;" % (i, day, i, mean, i, spread))
    write_latin1("fixedpoints.txt", "\n".join(fields) + "\n")
    rows = ["name,L1,L2,wind base,W1,W2,cloud spread,precipitation spread"]
    for row in PRESSURE_TYPES:
        rows.append(",".join(str(v) for v in row))
    write_latin1("weathertypeinfo.txt", "\n".join(rows) + "\n")


def main():
    n = copy_sources()
    linedist()
    weather_tables()
    print("texts: %d sources, 3 tables" % n)


if __name__ == "__main__":
    main()
