"""A tiny pixel-art toolkit for 32 x 32 tile frames.

A Frame is an RGBA picture whose alpha is either 0 or 255 (tiles are keyed
on a colour, so there are no half-transparent pixels). Strips of frames are
written in the tile format the game reads: frames side by side with a
one-pixel gutter and border in the key colour.
"""
import math

from PIL import Image, ImageDraw

from common import KEY, clamp, safe

W = H = 32
CLEAR = (0, 0, 0, 0)


class Frame:
    def __init__(self, w=W, h=H):
        self.w, self.h = w, h
        self.img = Image.new("RGBA", (w, h), CLEAR)
        self.d = ImageDraw.Draw(self.img)

    # -- drawing --------------------------------------------------------
    def px(self, x, y, c):
        x, y = int(round(x)), int(round(y))
        if 0 <= x < self.w and 0 <= y < self.h:
            self.img.putpixel((x, y), tuple(safe(c)) + (255,))

    def get(self, x, y):
        if 0 <= x < self.w and 0 <= y < self.h:
            p = self.img.getpixel((x, y))
            return None if p[3] == 0 else p[:3]
        return None

    def clear_px(self, x, y):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.img.putpixel((x, y), CLEAR)

    def rect(self, x0, y0, x1, y1, c):
        self.d.rectangle([x0, y0, x1, y1], fill=tuple(safe(c)) + (255,))

    def ellipse(self, x0, y0, x1, y1, c):
        self.d.ellipse([x0, y0, x1, y1], fill=tuple(safe(c)) + (255,))

    def line(self, pts, c, width=1):
        self.d.line([tuple(p) for p in pts], fill=tuple(safe(c)) + (255,), width=width)

    def poly(self, pts, c):
        self.d.polygon([tuple(p) for p in pts], fill=tuple(safe(c)) + (255,))

    def paste(self, other, dx=0, dy=0):
        """Draws another frame's opaque pixels over this one."""
        for y in range(other.h):
            for x in range(other.w):
                c = other.get(x, y)
                if c is not None:
                    self.px(x + dx, y + dy, c)

    # -- finishing ------------------------------------------------------
    def outline(self, c=(24, 20, 16), only_below=False):
        """A one-pixel dark outline around the opaque shape."""
        src = [[self.get(x, y) is not None for x in range(self.w)] for y in range(self.h)]
        for y in range(self.h):
            for x in range(self.w):
                if src[y][x]:
                    continue
                near = False
                for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                    if only_below and dy != -1:
                        continue
                    xx, yy = x + dx, y + dy
                    if 0 <= xx < self.w and 0 <= yy < self.h and src[yy][xx]:
                        near = True
                        break
                if near:
                    self.px(x, y, c)

    def noise(self, r, amount=0.12, chance=1.0):
        """Random light and dark speckles over the opaque pixels."""
        for y in range(self.h):
            for x in range(self.w):
                c = self.get(x, y)
                if c is None or r.random() > chance:
                    continue
                f = 1.0 + (r.random() * 2 - 1) * amount
                self.px(x, y, tuple(clamp(v * f) for v in c))

    def flip(self):
        f = Frame(self.w, self.h)
        f.img = self.img.transpose(Image.FLIP_LEFT_RIGHT)
        f.d = ImageDraw.Draw(f.img)
        return f

    def rotated(self, degrees):
        f = Frame(self.w, self.h)
        f.img = self.img.rotate(degrees, resample=Image.NEAREST, expand=False)
        f.d = ImageDraw.Draw(f.img)
        return f

    def shifted(self, dx, dy):
        f = Frame(self.w, self.h)
        f.paste(self, dx, dy)
        return f

    def copy(self):
        f = Frame(self.w, self.h)
        f.img = self.img.copy()
        f.d = ImageDraw.Draw(f.img)
        return f

    def crop_below(self, y_cut):
        """Removes everything from row y_cut down."""
        for y in range(max(0, y_cut), self.h):
            for x in range(self.w):
                self.clear_px(x, y)


def strip(frames, fw=W, fh=H):
    """The tile picture of a list of frames: gutter and border in the key."""
    n = len(frames)
    img = Image.new("RGB", (n * (fw + 1) + 1, fh + 2), KEY)
    for i, fr in enumerate(frames):
        x0 = i * (fw + 1) + 1
        for y in range(fh):
            for x in range(fw):
                c = fr.get(x, y)
                if c is not None:
                    img.putpixel((x0 + x, 1 + y), safe(c))
    return img


def save_strip(path, frames, fw=W, fh=H):
    strip(frames, fw, fh).save(path, optimize=True)


def dist(x0, y0, x1, y1):
    return math.hypot(x1 - x0, y1 - y0)
