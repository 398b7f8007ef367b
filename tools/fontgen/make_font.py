#!/usr/bin/python3
"""Builds the game's bitmap font "KSM.FNT" and its palette "palette.nfo".

KSM.FNT: 256 glyphs in code page 437 order, 80 bytes each (10 rows of 8
bytes, one byte per pixel, 1 = ink). The glyphs are taken from the
public-domain 6x10 font of Debian's xfonts-base package (misc-fixed,
ISO10646 encoding), placed in an 8 x 10 cell.

palette.nfo: 256 entries of three 32-bit little-endian integers (red,
green, blue, 0-255): the classic 256-colour VGA default palette.

The output is deterministic. Usage:
    /usr/bin/python3 tools/fontgen/make_font.py [output folder]   (default: data)
"""
import gzip
import io
import os
import struct
import sys

from PIL import PcfFontFile

FONT_SOURCE = "/usr/share/fonts/X11/misc/6x10.pcf.gz"

# Code page 437 as Unicode code points. 0 and 255 are blank cells.
CP437_LOW = [
    0x0000, 0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022,
    0x25D8, 0x25CB, 0x25D9, 0x2642, 0x2640, 0x266A, 0x266B, 0x263C,
    0x25BA, 0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7, 0x25AC, 0x21A8,
    0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC,
]


def cp437_code_points():
    points = list(CP437_LOW)
    for i in range(32, 256):
        points.append(ord(bytes([i]).decode("cp437")))
    points[127] = 0x2302  # the little house
    points[255] = 0x0020  # no-break space: blank
    return points


class UnicodePcf(PcfFontFile.PcfFontFile):
    """Reads the glyphs of any 256 code points from a two-byte PCF font."""

    def __init__(self, fp, code_points):
        self.code_points = code_points
        super().__init__(fp, "iso8859-1")

    def _load_encoding(self):
        fp, _format, i16, _i32 = self._getformat(PcfFontFile.PCF_BDF_ENCODINGS)
        first_col, last_col = i16(fp.read(2)), i16(fp.read(2))
        first_row, last_row = i16(fp.read(2)), i16(fp.read(2))
        i16(fp.read(2))  # default character
        cols = last_col - first_col + 1
        count = cols * (last_row - first_row + 1)
        offsets = [i16(fp.read(2)) for _ in range(count)]
        encoding = [None] * 256
        for slot, cp in enumerate(self.code_points):
            row, col = cp >> 8, cp & 0xFF
            if not (first_row <= row <= last_row and first_col <= col <= last_col):
                continue
            index = (row - first_row) * cols + (col - first_col)
            if offsets[index] != 0xFFFF:
                encoding[slot] = offsets[index]
        return encoding


def build_font():
    with gzip.open(FONT_SOURCE, "rb") as f:
        data = f.read()
    font = UnicodePcf(io.BytesIO(data), cp437_code_points())
    ascent = 8  # the 6x10 font: ascent 8, descent 2
    out = bytearray(256 * 80)
    for c in range(256):
        glyph = font.glyph[c]
        if glyph is None or c in (0, 32, 255):
            continue
        _advance, dst, _src, image = glyph
        left, top, _right, _bottom = dst
        w, h = image.size
        # Box drawing, blocks and shades join their neighbours: they start
        # at column 0 and their last column is repeated to fill the cell.
        joining = 176 <= c <= 223
        shift = 0 if joining else 1
        cell = [[0] * 8 for _ in range(10)]
        for y in range(h):
            row = ascent + top + y
            if not 0 <= row < 10:
                continue
            for x in range(w):
                col = left + x + shift
                if 0 <= col < 8 and image.getpixel((x, y)):
                    cell[row][col] = 1
            if joining and w >= 6 and image.getpixel((w - 1, y)):
                for col in range(left + w + shift, 8):
                    cell[row][col] = 1
        for row in range(10):
            for col in range(8):
                out[c * 80 + row * 8 + col] = cell[row][col]
    return bytes(out)


def vga_palette():
    six = []
    ega = [(0, 0, 0), (0, 0, 42), (0, 42, 0), (0, 42, 42), (42, 0, 0), (42, 0, 42),
           (42, 21, 0), (42, 42, 42), (21, 21, 21), (21, 21, 63), (21, 63, 21),
           (21, 63, 63), (63, 21, 21), (63, 21, 63), (63, 63, 21), (63, 63, 63)]
    six += ega
    for g in (0, 5, 8, 11, 14, 17, 20, 24, 28, 32, 36, 40, 45, 50, 56, 63):
        six.append((g, g, g))
    groups = [
        (0, 16, 31, 47, 63), (31, 39, 47, 55, 63), (45, 49, 54, 58, 63),
        (0, 7, 14, 21, 28), (14, 17, 21, 24, 28), (20, 22, 24, 26, 28),
        (0, 4, 8, 12, 16), (8, 10, 12, 14, 16), (11, 12, 13, 15, 16),
    ]
    hues = [(0, 0, 4), (1, 0, 4), (2, 0, 4), (3, 0, 4), (4, 0, 4), (4, 0, 3), (4, 0, 2), (4, 0, 1),
            (4, 0, 0), (4, 1, 0), (4, 2, 0), (4, 3, 0), (4, 4, 0), (3, 4, 0), (2, 4, 0), (1, 4, 0),
            (0, 4, 0), (0, 4, 1), (0, 4, 2), (0, 4, 3), (0, 4, 4), (0, 3, 4), (0, 2, 4), (0, 1, 4)]
    for levels in groups:
        for r, g, b in hues:
            six.append((levels[r], levels[g], levels[b]))
    while len(six) < 256:
        six.append((0, 0, 0))
    out = bytearray()
    for entry in six:
        for v in entry:
            out += struct.pack("<i", (v * 255 + 31) // 63)
    return bytes(out)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "data"
    os.makedirs(folder, exist_ok=True)
    font = build_font()
    palette = vga_palette()
    assert len(font) == 20480 and len(palette) == 3072
    with open(os.path.join(folder, "KSM.FNT"), "wb") as f:
        f.write(font)
    with open(os.path.join(folder, "palette.nfo"), "wb") as f:
        f.write(palette)


if __name__ == "__main__":
    main()
