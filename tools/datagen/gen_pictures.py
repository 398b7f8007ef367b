#!/usr/bin/python3
"""Makes the pictures of truegfx/ and the window icon: painted landscapes for
backgrounds, scenes and terrain views, portraits, panel textures, key caps,
the body figure and the logo.

Usage: /usr/bin/python3 tools/datagen/gen_pictures.py
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from PIL import Image, ImageDraw, ImageFilter, ImageFont  # noqa: E402

from common import clamp, mix, out, read_manifest, rng, shade  # noqa: E402

SERIF = "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf"


def font(size):
    try:
        return ImageFont.truetype(SERIF, size)
    except OSError:
        return ImageFont.load_default()


# ------------------------------------------------------------- landscape

def ridge(r, w, base, amp, rough=6):
    """A skyline: heights for every column from a few summed waves."""
    waves = [(r.uniform(0.5, 3.5) * math.pi * 2 / w * (k + 1), r.uniform(0, 6.3), amp / (k + 1.3))
             for k in range(rough)]
    return [base - sum(a * math.sin(x * f + p) for f, p, a in waves) for x in range(w)]


def gradient(d, w, h, top, bottom, y0=0, y1=None):
    y1 = h if y1 is None else y1
    for y in range(y0, y1):
        t = (y - y0) / max(1, y1 - y0 - 1)
        d.line([(0, y), (w, y)], fill=mix(top, bottom, t))


def spruce_sil(d, x, y, h, col):
    w = h * 0.32
    for k in range(5):
        yy = y - h + k * h / 5.5
        ww = w * (k + 1) / 5
        d.polygon([(x, yy), (x - ww, yy + h / 4), (x + ww, yy + h / 4)], fill=col)
    d.line([(x, y - h * 0.1), (x, y)], fill=shade(col, 0.6), width=max(1, int(h / 25)))


def birch_sil(d, x, y, h, crown, trunk=(230, 230, 220)):
    d.line([(x, y), (x, y - h * 0.7)], fill=trunk, width=max(1, int(h / 18)))
    for k in range(5):
        cx = x + (k - 2) * h * 0.08
        cy = y - h * 0.65 - (k % 2) * h * 0.1
        rr = h * 0.18
        d.ellipse([cx - rr, cy - rr, cx + rr, cy + rr], fill=shade(crown, 0.85 + 0.06 * k))


def landscape(name, w, h, p):
    """A painted northern landscape. p holds the choices: season, time of
    day, relief, water, forest density, and extras."""
    r = rng(name)
    img = Image.new("RGB", (w, h))
    d = ImageDraw.Draw(img)
    season = p.get("season", "summer")
    night = p.get("night", False)
    if night:
        sky = ((8, 12, 34), (30, 40, 80))
    elif p.get("dusk"):
        sky = ((60, 70, 130), (240, 150, 90))
    elif season == "winter":
        sky = ((120, 150, 190), (226, 220, 214))
    elif season == "autumn":
        sky = ((110, 130, 160), (220, 200, 170))
    else:
        sky = ((90, 140, 200), (210, 226, 236))
    horizon = int(h * p.get("horizon", 0.5))
    gradient(d, w, h, sky[0], sky[1], 0, horizon + 2)
    if night:
        for _ in range(int(w * h / 900)):
            x, y = r.randint(0, w - 1), r.randint(0, horizon)
            g = r.randint(120, 255)
            d.point((x, y), fill=(g, g, min(255, g + 20)))
        if p.get("aurora"):
            for k in range(60):
                x = k * w / 60
                y = horizon * 0.35 + math.sin(k * 0.3) * horizon * 0.1
                d.line([(x, y), (x + w / 50, y + horizon * 0.25)], fill=(40, 160 + k % 3 * 20, 110), width=3)
        d.ellipse([w * 0.8, h * 0.08, w * 0.8 + 30, h * 0.08 + 30], fill=(236, 236, 210))
    else:
        sunx = w * r.uniform(0.2, 0.8)
        suny = horizon * (0.75 if p.get("dusk") else 0.25)
        d.ellipse([sunx - 18, suny - 18, sunx + 18, suny + 18], fill=(255, 244, 200))
        for _ in range(int(w / 120)):
            cx, cy = r.uniform(0, w), r.uniform(horizon * 0.1, horizon * 0.6)
            for k in range(5):
                rw, rh = r.uniform(30, 70), r.uniform(10, 22)
                ox = r.uniform(-50, 50)
                d.ellipse([cx + ox - rw, cy - rh, cx + ox + rw, cy + rh], fill=mix(sky[1], (255, 255, 255), 0.6))
    # far relief
    relief = p.get("relief", 0.08)
    far = mix(sky[1], (70, 90, 110), 0.5)
    if season == "winter":
        far = mix(far, (230, 236, 244), 0.5)
    line = ridge(r, w, horizon - h * relief * 0.2, h * relief, 3 if relief > 0.2 else 6)
    d.polygon([(0, h)] + [(x, line[x]) for x in range(w)] + [(w, h)], fill=far)
    if p.get("snowcaps"):
        for x in range(w):
            if line[x] < horizon - h * relief * 0.6:
                d.line([(x, line[x]), (x, line[x] + h * 0.03)], fill=(244, 246, 250))
    # forest band
    forest = p.get("forest", 1.0)
    fcol = (30, 62, 44) if season != "winter" else (50, 70, 64)
    if night:
        fcol = (10, 18, 20)
    line2 = ridge(r, w, horizon + h * 0.02, h * 0.02, 3)
    ground_col = {"summer": (86, 120, 56), "autumn": (140, 110, 50), "winter": (232, 236, 242),
                  "spring": (110, 130, 70)}[season]
    if p.get("ground"):
        ground_col = p["ground"]
    if night:
        ground_col = shade(ground_col, 0.25)
    d.polygon([(0, h)] + [(x, line2[x]) for x in range(w)] + [(w, h)], fill=shade(ground_col, 0.8))
    if forest > 0:
        n = int(w / 9 * forest)
        for k in range(n):
            x = r.uniform(0, w)
            th = h * r.uniform(0.05, 0.12)
            spruce_sil(d, x, line2[int(min(w - 1, x))] + 2, th, shade(fcol, r.uniform(0.8, 1.15)))
    # water
    water = p.get("water")
    if water:
        wy0 = int(horizon + h * 0.04)
        wy1 = int(h * water)
        wcol = (60, 100, 140) if season != "winter" else (200, 214, 230)
        if night:
            wcol = (14, 22, 40)
        if p.get("river"):
            pts = []
            for k in range(0, 21):
                t = k / 20
                x = w * (0.35 + 0.2 * math.sin(t * 3 + 1)) + (t - 0.5) * w * 0.1
                pts.append((x, wy0 + (h - wy0) * t))
            left = [(x - 10 - 160 * (y - wy0) / (h - wy0), y) for x, y in pts]
            right = [(x + 10 + 160 * (y - wy0) / (h - wy0), y) for x, y in pts]
            d.polygon(left + right[::-1], fill=wcol)
            if p.get("rapids"):
                for _ in range(400):
                    x, y = r.choice(pts)
                    d.point((x + r.uniform(-80, 80) * (y - wy0) / (h - wy0), y + r.uniform(-5, 5)),
                            fill=(240, 246, 250))
        else:
            d.rectangle([0, wy0, w, wy1], fill=wcol)
            for _ in range(int(w / 5)):
                x, y = r.uniform(0, w), r.uniform(wy0, wy1)
                d.line([(x, y), (x + r.uniform(5, 25), y)], fill=mix(wcol, sky[1], 0.5))
            if p.get("small_lake"):
                d.rectangle([0, wy0, w * 0.15, wy1], fill=shade(ground_col, 0.8))
                d.rectangle([w * 0.85, wy0, w, wy1], fill=shade(ground_col, 0.8))
    # foreground
    fg = p.get("foreground", "trees")
    fy = int(h * p.get("fg_line", 0.82))
    d.polygon([(0, h), (0, fy)] + [(x, fy + 8 * math.sin(x / 37.0)) for x in range(0, w + 1, 8)] + [(w, h)],
              fill=ground_col)
    for _ in range(int(w * 1.2)):
        x, y = r.uniform(0, w), r.uniform(fy, h)
        d.point((x, y), fill=shade(ground_col, r.uniform(0.75, 1.2)))
    if fg in ("trees", "birches"):
        for k in range(int(3 * forest) + 1):
            x = r.choice([r.uniform(0, w * 0.2), r.uniform(w * 0.8, w)])
            th = h * r.uniform(0.35, 0.6)
            if fg == "birches" or r.random() < 0.3:
                birch_sil(d, x, h * 0.98, th, (90, 150, 60) if season == "summer" else (200, 150, 40)
                          if season == "autumn" else (120, 110, 90))
            else:
                spruce_sil(d, x, h * 0.99, th, shade(fcol, 1.1))
    extras = p.get("extras", [])
    for e in extras:
        e(d, w, h, r, p)
    img = img.filter(ImageFilter.SMOOTH)
    return img


def huts(d, w, h, r, p):
    for k in range(p.get("houses", 4)):
        x = w * (0.2 + 0.15 * k) + r.uniform(-20, 20)
        y = h * 0.72 + r.uniform(-10, 10)
        s = h * 0.07
        d.rectangle([x - s, y - s * 0.8, x + s, y + s * 0.4], fill=(110, 76, 46))
        for k2 in range(4):
            d.line([(x - s, y - s * 0.8 + k2 * s * 0.3), (x + s, y - s * 0.8 + k2 * s * 0.3)], fill=(80, 54, 32))
        d.polygon([(x - s * 1.3, y - s * 0.7), (x, y - s * 1.6), (x + s * 1.3, y - s * 0.7)],
                  fill=(70, 80, 50) if p.get("season") != "winter" else (236, 240, 246))
        d.rectangle([x - s * 0.2, y - s * 0.2, x + s * 0.2, y + s * 0.4], fill=(40, 28, 20))
        if p.get("smoke"):
            for k2 in range(6):
                d.ellipse([x + k2 * 4, y - s * 1.8 - k2 * 10, x + k2 * 4 + 10, y - s * 1.8 - k2 * 10 + 8],
                          fill=(200, 200, 200))


def kotas(d, w, h, r, p):
    for k in range(p.get("kotas", 3)):
        x = w * (0.25 + 0.2 * k) + r.uniform(-20, 20)
        y = h * 0.76
        s = h * 0.12
        d.polygon([(x - s * 0.7, y), (x, y - s * 1.3), (x + s * 0.7, y)], fill=(130, 100, 70))
        d.polygon([(x - s * 0.15, y), (x, y - s * 0.5), (x + s * 0.15, y)], fill=(40, 28, 20))
        for k2 in (-0.12, 0.0, 0.12):
            d.line([(x + k2 * s, y - s * 1.3), (x + k2 * s * 2, y - s * 1.6)], fill=(90, 70, 50), width=2)


def fire(d, w, h, r, p):
    x, y = w * 0.5, h * 0.86
    d.ellipse([x - 40, y - 8, x + 40, y + 12], fill=(60, 50, 44))
    for k, col in enumerate(((230, 110, 30), (250, 190, 60), (255, 240, 180))):
        s = 30 - k * 9
        d.polygon([(x - s, y), (x - s * 0.3, y - s * 2.2), (x, y - s * 1.2), (x + s * 0.4, y - s * 2.6),
                   (x + s, y)], fill=col)


def field(d, w, h, r, p):
    y0 = h * 0.62
    for k in range(12):
        y = y0 + k * (h - y0) / 12
        d.line([(w * 0.1 - k * 20, y), (w * 0.9 + k * 20, y)], fill=(160, 130, 70), width=3)
    d.polygon([(w * 0.1, y0), (w * 0.9, y0), (w, h), (0, h)], outline=(100, 80, 50))


def fence(d, w, h, r, p):
    y = h * 0.8
    for k in range(16):
        x = w * 0.05 + k * w / 16
        d.rectangle([x, y - 60, x + 8, y + 20], fill=(120, 90, 56))
    d.line([(0, y - 40), (w, y - 44)], fill=(150, 110, 70), width=6)
    d.line([(0, y - 10), (w, y - 12)], fill=(150, 110, 70), width=6)


def bear(d, w, h, r, p):
    x, y = w * 0.55, h * 0.8
    col = (80, 54, 34)
    d.ellipse([x - 110, y - 90, x + 60, y], fill=col)
    d.ellipse([x + 20, y - 110, x + 100, y - 40], fill=col)
    d.ellipse([x + 30, y - 120, x + 50, y - 100], fill=col)
    d.ellipse([x + 75, y - 85, x + 110, y - 60], fill=shade(col, 1.2))
    d.ellipse([x + 55, y - 95, x + 62, y - 88], fill=(10, 10, 10))
    for lx in (-95, -60, 0, 35):
        d.rectangle([x + lx, y - 20, x + lx + 26, y + 30], fill=col)


def fishing(d, w, h, r, p):
    x, y = w * 0.35, h * 0.78
    d.polygon([(x - 90, y), (x + 90, y), (x + 70, y + 22), (x - 70, y + 22)], fill=(110, 76, 46))
    d.rectangle([x - 8, y - 55, x + 8, y], fill=(70, 90, 130))
    d.ellipse([x - 10, y - 78, x + 10, y - 56], fill=(220, 170, 130))
    d.line([(x + 6, y - 45), (x + 150, y - 140)], fill=(90, 70, 40), width=3)
    d.line([(x + 150, y - 140), (x + 160, y + 10)], fill=(230, 230, 230))


def figure(d, w, h, r, p):
    x, y = w * 0.45, h * 0.9
    d.ellipse([x - 90, y - 30, x + 90, y + 10], fill=(70, 60, 50))
    d.rectangle([x - 60, y - 50, x + 50, y - 20], fill=(110, 90, 70))
    d.ellipse([x + 40, y - 62, x + 72, y - 30], fill=(220, 170, 130))
    d.line([(x - 60, y - 30), (x - 110, y - 10)], fill=(110, 90, 70), width=10)


def snares(d, w, h, r, p):
    for k in range(5):
        x = w * (0.15 + 0.17 * k)
        y = h * 0.85 + r.uniform(-10, 10)
        d.line([(x, y), (x, y - 50)], fill=(120, 90, 56), width=4)
        d.ellipse([x - 14, y - 30, x + 14, y - 6], outline=(200, 190, 160), width=2)


def mist(d, w, h, r, p):
    for _ in range(30):
        x, y = r.uniform(0, w), r.uniform(h * 0.4, h * 0.8)
        d.ellipse([x - 80, y - 8, x + 80, y + 8], fill=(200, 206, 210))


def cave_mouth(d, w, h, r, p):
    d.polygon([(w * 0.1, h), (w * 0.3, h * 0.3), (w * 0.7, h * 0.25), (w * 0.95, h)], fill=(110, 106, 100))
    d.ellipse([w * 0.38, h * 0.55, w * 0.62, h * 1.1], fill=(20, 18, 16))


def cliff_face(d, w, h, r, p):
    d.polygon([(w * 0.4, h), (w * 0.5, h * 0.25), (w, h * 0.2), (w, h)], fill=(120, 116, 108))
    for _ in range(30):
        x, y = r.uniform(w * 0.5, w), r.uniform(h * 0.3, h)
        d.line([(x, y), (x + r.uniform(-10, 10), y + 30)], fill=(80, 78, 74), width=2)


def mire(d, w, h, r, p):
    for _ in range(60):
        x, y = r.uniform(0, w), r.uniform(h * 0.6, h)
        d.ellipse([x - 30, y - 4, x + 30, y + 4], fill=(70, 100, 120))
    for _ in range(200):
        x, y = r.uniform(0, w), r.uniform(h * 0.58, h)
        d.point((x, y), fill=(245, 245, 240))


def heath(d, w, h, r, p):
    for _ in range(900):
        x, y = r.uniform(0, w), r.uniform(h * 0.6, h)
        d.point((x, y), fill=r.choice([(150, 90, 130), (200, 206, 190), (120, 110, 60)]))


def stones(d, w, h, r, p):
    for _ in range(6):
        x, y = r.uniform(0, w), r.uniform(h * 0.75, h)
        s = r.uniform(14, 34)
        d.ellipse([x - s, y - s * 0.6, x + s, y + s * 0.4], fill=(130, 128, 122))


TERRAIN = {
    "house": dict(extras=[huts], houses=1, smoke=True, forest=0.8),
    "lichen_heath": dict(ground=(200, 200, 170), extras=[heath], forest=0.6),
    "conifer": dict(forest=2.5, foreground="trees"),
    "grove": dict(foreground="birches", forest=0.6),
    "cave": dict(extras=[cave_mouth], forest=0.4, foreground="none"),
    "hill": dict(relief=0.25, horizon=0.55, forest=0.8),
    "cliff": dict(extras=[cliff_face], relief=0.15, forest=0.5),
    "mountain": dict(relief=0.4, snowcaps=True, horizon=0.6, forest=0.3, foreground="none"),
    "fell": dict(relief=0.3, snowcaps=True, horizon=0.6, forest=0.0, ground=(150, 140, 110), foreground="none"),
    "river": dict(water=1.0, river=True, horizon=0.45, forest=1.0),
    "village": dict(extras=[huts], houses=4, smoke=True, forest=0.6, foreground="none"),
    "kota_village": dict(extras=[kotas], kotas=3, forest=0.6, foreground="none"),
    "open_mire": dict(extras=[mire], ground=(150, 150, 80), forest=0.3, foreground="none"),
    "spruce_mire": dict(extras=[mire], ground=(110, 120, 70), forest=1.8),
    "pine_mire": dict(extras=[mire], ground=(140, 130, 70), forest=0.7, foreground="birches"),
    "pine_heath": dict(extras=[heath], ground=(170, 160, 110), forest=1.0),
    "field": dict(extras=[field], ground=(170, 150, 80), forest=0.6, foreground="none"),
    "lake": dict(water=0.86, forest=1.2, foreground="none", fg_line=0.9),
    "small_lake": dict(water=0.8, small_lake=True, forest=1.5, fg_line=0.86),
    "rapids": dict(water=1.0, river=True, rapids=True, horizon=0.45, extras=[stones]),
    "ground": dict(extras=[stones], forest=0.8),
}


def save(img, rel, quality=80):
    path = out(rel)
    if rel.endswith(".jpg"):
        img.convert("RGB").save(path, quality=quality, optimize=True)
    else:
        img.save(path, optimize=True)


def terrain_pictures():
    for name, p in TERRAIN.items():
        img = landscape("terrain-" + name, 400, 300, p)
        save(img, "truegfx/terrain-%s_400x300.jpg" % name, 72)
        save(img.resize((300, 225), Image.LANCZOS), "truegfx/terrain-%s.jpg" % name, 72)
    for name in ("ground", "pine_heath"):
        p = dict(TERRAIN[name])
        p["season"] = "winter"
        p["ground"] = (232, 236, 242)
        img = landscape("terrain-%s-winter" % name, 400, 300, p)
        save(img, "truegfx/terrain-%s-winter_400x300.jpg" % name, 72)
        save(img.resize((300, 225), Image.LANCZOS), "truegfx/terrain-%s-winter.jpg" % name, 72)
    img = landscape("jarvi", 400, 300, dict(water=0.9, forest=1.4, foreground="none", fg_line=0.92))
    save(img, "truegfx/jarvi_400x300.jpg", 72)
    save(img.resize((300, 225), Image.LANCZOS), "truegfx/jarvi_small.jpg", 72)


# ------------------------------------------------------------ backgrounds

def dim(img, f=0.7):
    return Image.eval(img, lambda v: int(v * f))


def backgrounds():
    W, H = 800, 600
    bgs = {
        "bg-ksmstart.png": dict(season="summer", dusk=True, water=0.78, relief=0.12, forest=1.6, horizon=0.55),
        "bg-origin.jpg": dict(season="autumn", water=0.75, forest=1.4, horizon=0.5),
        "bg-heritage.jpg": dict(season="summer", forest=1.0, relief=0.2, foreground="birches", extras=[mist]),
        "bg-worldview.jpg": dict(season="summer", relief=0.25, water=0.7, horizon=0.45, forest=1.0, snowcaps=True),
        "bg-wideworld.jpg": dict(season="summer", relief=0.1, water=0.65, horizon=0.4, forest=1.2),
        "bg-supernatural.jpg": dict(night=True, aurora=True, water=0.8, forest=1.2, horizon=0.6),
        "bg-profile.jpg": dict(season="spring", forest=1.2, foreground="birches"),
        "bg-backstory.png": dict(season="autumn", dusk=True, forest=1.0, extras=[huts], houses=2, smoke=True),
        "bg-deathscene.png": dict(night=True, season="winter", forest=1.4, ground=(200, 206, 220)),
        "bg-coverage.jpg": dict(season="winter", forest=1.0, relief=0.1),
        "bg-injury.jpg": dict(season="autumn", forest=1.4, extras=[mist], dusk=True),
    }
    for name, p in bgs.items():
        img = landscape(name, W, H, p)
        if name in ("bg-coverage.jpg", "bg-injury.jpg", "bg-profile.jpg"):
            img = dim(img, 0.6)  # text stands over these
        save(img, "truegfx/" + name, 78)
    img = landscape("tahtitaivas.jpg", W, H, dict(night=True, horizon=0.8, forest=1.5, foreground="none"))
    save(img, "truegfx/tahtitaivas.jpg", 78)
    # the right panel of the game screen
    r = rng("bg-rpanel")
    img = Image.new("RGB", (328, 600), (56, 72, 88))
    d = ImageDraw.Draw(img)
    for y in range(0, 600, 3):
        d.line([(0, y), (328, y)], fill=mix((56, 72, 88), (40, 52, 64), r.random() * 0.6))
    save(img, "truegfx/bg-rpanel.png")


def scenes():
    W, H = 400, 280
    sc = {
        "scene-kesmorra.jpg": dict(season="summer", dusk=True, water=0.8, relief=0.15, forest=1.4),
        "scene-helpless.jpg": dict(season="autumn", forest=1.5, extras=[figure], foreground="none", fg_line=0.75),
        "scene-agriculture.jpg": dict(season="summer", extras=[field, huts], houses=1, forest=0.6, foreground="none"),
        "scene-fishing.jpg": dict(season="summer", water=0.95, forest=1.0, foreground="none", fg_line=0.97,
                                  extras=[fishing]),
        "scene-camp.jpg": dict(season="autumn", dusk=True, forest=1.5, extras=[kotas, fire], kotas=1,
                               foreground="none"),
        "scene-trapping.jpg": dict(season="winter", forest=1.5, extras=[snares], foreground="none"),
        "cre-bear.jpg": dict(season="autumn", forest=1.6, extras=[bear], foreground="none"),
        "info-fence.jpg": dict(season="summer", forest=1.2, extras=[fence], foreground="none"),
    }
    for name, p in sc.items():
        save(landscape(name, W, H, p), "truegfx/" + name, 76)
    for i, p in enumerate((dict(season="summer", water=0.8, forest=1.2),
                           dict(season="spring", forest=1.4, extras=[kotas, fire], kotas=1, foreground="none"),
                           dict(season="winter", relief=0.3, snowcaps=True, forest=0.8)), 1):
        save(landscape("coursepic_%d" % i, 380, 160, p), "truegfx/coursepic_%d.png" % i)


# ------------------------------------------------------------- portraits

HAIR = [(200, 170, 100), (120, 74, 40), (40, 34, 30), (170, 110, 60), (230, 210, 160), (90, 60, 40)]
CLOTH = {"east": [(70, 100, 160), (60, 80, 120), (110, 120, 150)],
         "west": [(150, 60, 44), (120, 80, 50), (170, 120, 60)],
         "north": [(126, 96, 64), (150, 120, 84), (90, 70, 50)],
         "fem": [(150, 60, 90), (70, 110, 90), (170, 140, 80), (90, 90, 150)]}


def portrait(prefix, i):
    r = rng("%s%02d" % (prefix, i))
    W = H = 200
    bgc = mix((60, 90, 70), (90, 120, 150), r.random())
    img = Image.new("RGB", (W, H), bgc)
    d = ImageDraw.Draw(img)
    gradient(d, W, H, shade(bgc, 1.2), shade(bgc, 0.6))
    for _ in range(6):
        x = r.uniform(0, W)
        spruce_sil(d, x, H * 0.75, r.uniform(60, 110), shade(bgc, 0.7))
    female = prefix == "fem"
    skin = mix((236, 196, 160), (190, 140, 100), r.random() * 0.7)
    hair = r.choice(HAIR)
    cloth = CLOTH[prefix][(i - 1) % len(CLOTH[prefix])]
    cx = 100 + r.uniform(-6, 6)
    # shoulders
    d.ellipse([cx - 85, 150, cx + 85, 260], fill=cloth)
    d.rectangle([cx - 16, 128, cx + 16, 160], fill=shade(skin, 0.92))
    # hair behind
    if female:
        d.ellipse([cx - 52, 40, cx + 52, 180], fill=hair)
    d.ellipse([cx - 40, 48, cx + 40, 150], fill=skin)
    # hair and headgear
    d.chord([cx - 44, 34, cx + 44, 112], 180, 360, fill=hair)
    if prefix == "north":
        d.chord([cx - 50, 26, cx + 50, 110], 180, 360, fill=(150, 120, 84))
        d.rectangle([cx - 50, 64, cx + 50, 74], fill=(60, 120, 170))
    if prefix == "east" and i % 2 == 0:
        d.rectangle([cx - 44, 62, cx + 44, 70], fill=(230, 226, 210))
    # face
    ey = 96
    for sx in (-1, 1):
        d.ellipse([cx + sx * 16 - 6, ey - 4, cx + sx * 16 + 6, ey + 4], fill=(245, 245, 240))
        d.ellipse([cx + sx * 16 - 3, ey - 3, cx + sx * 16 + 3, ey + 3], fill=r.choice([(60, 90, 140), (70, 50, 30), (60, 110, 90)]))
        d.line([(cx + sx * 16 - 8, ey - 9), (cx + sx * 16 + 8, ey - 10)], fill=shade(hair, 0.8), width=3)
    d.polygon([(cx, ey + 2), (cx - 6, ey + 22), (cx + 5, ey + 22)], fill=shade(skin, 0.88))
    d.line([(cx - 12, ey + 34), (cx + 12, ey + 34)], fill=(150, 80, 70), width=3)
    if not female and r.random() < 0.7:
        d.chord([cx - 36, ey + 10, cx + 36, ey + 66], 0, 180, fill=hair)
        d.line([(cx - 12, ey + 34), (cx + 12, ey + 34)], fill=shade(hair, 0.6), width=3)
    if female:
        d.ellipse([cx - 50, 120, cx - 30, 190], fill=hair)
        d.ellipse([cx + 30, 120, cx + 50, 190], fill=hair)
    d.line([(cx - 40, 170), (cx, 190), (cx + 40, 170)], fill=shade(cloth, 0.6), width=4)
    d.ellipse([cx - 6, 184, cx + 6, 196], fill=(196, 150, 70))
    img = img.filter(ImageFilter.SMOOTH)
    img = img.quantize(64).convert("RGB")
    save(img, "truegfx/%s%02d.png" % (prefix, i))


# ------------------------------------------------------------ interface

def textures():
    specs = {"texture_vaalea.png": ((82, 78, 70), 0.08, "grain"),
             "texture_tuohi.png": ((226, 214, 190), 0.05, "bark"),
             "texture_kivi.png": ((120, 120, 116), 0.10, "stone"),
             "texture_savuseina.png": ((60, 46, 36), 0.10, "logs")}
    for name, (base, amt, kind) in specs.items():
        r = rng(name)
        img = Image.new("RGB", (160, 160), base)
        d = ImageDraw.Draw(img)
        for y in range(160):
            for x in range(160):
                f = 1 + (r.random() * 2 - 1) * amt
                img.putpixel((x, y), tuple(clamp(c * f) for c in base))
        if kind == "bark":
            for _ in range(60):
                x, y = r.randint(0, 159), r.randint(0, 159)
                d.line([(x, y), (x + r.randint(6, 20), y)], fill=(60, 50, 40), width=1)
        elif kind == "stone":
            for _ in range(30):
                x, y = r.randint(0, 159), r.randint(0, 159)
                d.line([(x, y), (x + r.randint(-20, 20), y + r.randint(-20, 20))], fill=(90, 90, 88))
        elif kind == "logs":
            for y in range(0, 160, 20):
                d.line([(0, y), (160, y)], fill=(30, 22, 18), width=3)
        elif kind == "grain":
            for y in range(0, 160, 4):
                d.line([(0, y + r.randint(0, 2)), (160, y)], fill=shade(base, 0.93))
        save(img.filter(ImageFilter.SMOOTH), "truegfx/" + name)
    # key cap art: left edge 0-6, a middle column 7-14, right edge 22-28, 32 high; white is transparent
    img = Image.new("RGB", (30, 32), (255, 255, 255))
    d = ImageDraw.Draw(img)
    face, lite, dark = (200, 196, 180), (236, 232, 220), (110, 104, 96)
    d.rectangle([0, 2, 6, 19], fill=face)
    d.line([(0, 2), (0, 19)], fill=dark)
    d.line([(0, 2), (6, 2)], fill=lite)
    d.line([(0, 19), (6, 19)], fill=dark)
    d.rectangle([7, 2, 14, 19], fill=face)
    d.line([(7, 2), (14, 2)], fill=lite)
    d.line([(7, 19), (14, 19)], fill=dark)
    d.rectangle([22, 2, 28, 19], fill=face)
    d.line([(28, 2), (28, 19)], fill=dark)
    d.line([(22, 2), (28, 2)], fill=lite)
    d.line([(22, 19), (28, 19)], fill=dark)
    save(img, "truegfx/nappain.png")
    img = Image.new("RGB", (32, 32), (255, 0, 255))
    d = ImageDraw.Draw(img)
    d.ellipse([4, 4, 27, 27], outline=(250, 220, 60), width=2)
    d.line([(16, 0), (16, 31)], fill=(250, 220, 60))
    d.line([(0, 16), (31, 16)], fill=(250, 220, 60))
    save(img, "truegfx/cursor_target.png")


def logo():
    img = Image.new("RGB", (180, 46), (0, 0, 0))
    d = ImageDraw.Draw(img)
    f = font(24)
    d.text((6, 2), "KESMORRA", font=f, fill=(60, 40, 20))
    d.text((4, 0), "KESMORRA", font=f, fill=(240, 220, 150))
    d.line([(4, 42), (174, 42)], fill=(180, 140, 60), width=2)
    save(img, "truegfx/logotext.png")
    img = Image.new("RGB", (180, 64), (30, 40, 50))
    d = ImageDraw.Draw(img)
    spruce_sil(d, 30, 60, 54, (60, 120, 80))
    d.text((58, 14), "Northwood", font=font(18), fill=(220, 220, 200))
    d.text((58, 36), "Workshop", font=font(18), fill=(180, 200, 160))
    save(img, "truegfx/makerlogo.png")
    img = Image.new("RGBA", (32, 32), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    d.ellipse([0, 0, 31, 31], fill=(40, 70, 100, 255))
    spruce_sil(d, 16, 29, 26, (60, 150, 90))
    save(img, "ksmicon-32.png")


def body_figure():
    """The body figure of the armour coverage and wounds screens, drawn at
    (570, 0): a figure of 17 closed regions, one per body part (skull, eyes,
    face, neck, shoulders, upper arms, elbows, forearms, hands, thorax,
    abdomen, hips, groin, thighs, knees, calves, feet), each holding the
    seed point the screens fill it from, with its mirror image about the
    middle (x' = 197 - x). The inside is one flat colour, which the fills
    replace; outside the figure the picture is transparent.
    "armour_black.png" is the figure's dark halo, drawn under it."""
    W, H = 198, 420
    inside, line = (200, 196, 186, 255), (20, 20, 20, 255)

    def mirror(points):
        return [(197 - x, y) for x, y in points]

    halves = [  # the figure's right half (the left of the picture)
        ("p", [(52, 150), (30, 152), (20, 162), (20, 172), (46, 172), (52, 166)]),  # shoulder
        ("p", [(20, 172), (46, 172), (42, 202), (18, 202)]),  # upper arm
        ("p", [(18, 202), (42, 202), (41, 218), (17, 218)]),  # elbow
        ("p", [(17, 218), (41, 218), (38, 248), (16, 248)]),  # forearm
        ("e", [12, 248, 40, 274]),  # hand
        ("p", [(56, 245), (84, 245), (84, 272), (58, 272)]),  # hip
        ("p", [(58, 272), (92, 272), (90, 306), (62, 306)]),  # thigh
        ("p", [(62, 306), (90, 306), (88, 326), (63, 326)]),  # knee
        ("p", [(63, 326), (88, 326), (84, 368), (64, 368)]),  # calf
        ("p", [(64, 368), (84, 368), (86, 384), (80, 392), (52, 392), (50, 384), (62, 376)]),  # foot
        ("e", [82, 113, 92, 121]),  # eye
    ]
    middle = [
        ("r", [52, 150, 145, 205]),  # thorax
        ("r", [56, 205, 141, 245]),  # abdomen
        ("r", [84, 245, 113, 272]),  # groin
        ("r", [89, 133, 108, 150]),  # neck
    ]
    img = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)

    def shape(kind, geo):
        if kind == "p":
            d.polygon(geo, fill=inside, outline=line)
        elif kind == "e":
            d.ellipse(geo, fill=inside, outline=line)
        else:
            d.rectangle(geo, fill=inside, outline=line)

    for kind, geo in middle:
        shape(kind, geo)
    # The head: the skull above a line, the face below it with the eyes.
    d.ellipse([76, 80, 121, 134], fill=inside, outline=line)
    d.line([(77, 109), (120, 109)], fill=line)
    for kind, geo in halves:
        shape(kind, geo)
        if kind == "e":
            x0, y0, x1, y1 = geo
            shape(kind, [197 - x1, y0, 197 - x0, y1])
        else:
            shape(kind, mirror(geo))
    save(img, "truegfx/armour.png")
    # The halo: the figure's shape grown by two pixels, in translucent black.
    alpha = img.split()[3].filter(ImageFilter.MaxFilter(5))
    halo = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    halo.paste((0, 0, 0, 170), (0, 0, W, H), alpha)
    save(halo, "truegfx/armour_black.png")


def main():
    terrain_pictures()
    backgrounds()
    scenes()
    textures()
    logo()
    body_figure()
    counts = {}
    for kind, value in read_manifest():
        if kind == "file" and value.startswith("truegfx/"):
            stem = value[len("truegfx/"):]
            for prefix in ("east", "west", "north", "fem"):
                if stem.startswith(prefix) and stem[len(prefix):len(prefix) + 1].isdigit():
                    counts[prefix] = counts.get(prefix, 0) + 1
                    portrait(prefix, counts[prefix])
    print("pictures done")


if __name__ == "__main__":
    main()
