#!/usr/bin/python3
"""Makes the sounds and music of audio/: short synthesised effects that fit
their names, and small generated music pieces.

Samples are 22,050 Hz mono 16-bit WAV; ".ogg" files are made from such a
WAV by oggenc (vorbis-tools) at low quality with a fixed serial number, so
that the output is the same on every run.

Usage: /usr/bin/python3 tools/datagen/gen_sounds.py
"""
import math
import os
import struct
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from common import out, read_manifest, rng  # noqa: E402

RATE = 22050
TAU = 2 * math.pi


# ------------------------------------------------------------ primitives

def silence(sec):
    return [0.0] * int(sec * RATE)


def env(n, attack=0.01, release=0.1, hold=None):
    """An attack-sustain-release curve of n samples."""
    a = max(1, int(attack * RATE))
    r = max(1, int(release * RATE))
    res = []
    for i in range(n):
        if i < a:
            v = i / a
        elif i > n - r:
            v = max(0.0, (n - i) / r)
        else:
            v = 1.0
        res.append(v)
    return res


def tone(freq, sec, vol=0.5, shape="sine", vib=0.0, vib_rate=5.0, glide=None):
    n = int(sec * RATE)
    res = []
    ph = 0.0
    for i in range(n):
        t = i / RATE
        f = freq if glide is None else freq + (glide - freq) * (i / n)
        f *= 1 + vib * math.sin(TAU * vib_rate * t)
        ph += TAU * f / RATE
        if shape == "sine":
            v = math.sin(ph)
        elif shape == "saw":
            v = 2 * ((ph / TAU) % 1) - 1
        elif shape == "square":
            v = 1 if math.sin(ph) >= 0 else -1
        elif shape == "tri":
            v = 2 * abs(2 * ((ph / TAU) % 1) - 1) - 1
        else:
            v = math.sin(ph)
        res.append(v * vol)
    return res


def noise(r, sec, vol=0.5, colour="white"):
    n = int(sec * RATE)
    res = []
    b = 0.0
    for _ in range(n):
        w = r.random() * 2 - 1
        if colour == "brown":
            b = (b + 0.02 * w) / 1.02
            res.append(b * 3.5 * vol)
        elif colour == "pink":
            b = 0.97 * b + 0.03 * w
            res.append((b * 4 + w * 0.15) * vol)
        else:
            res.append(w * vol)
    return res


def lowpass(x, cut):
    a = math.exp(-TAU * cut / RATE)
    y, res = 0.0, []
    for v in x:
        y = (1 - a) * v + a * y
        res.append(y)
    return res


def highpass(x, cut):
    lp = lowpass(x, cut)
    return [a - b for a, b in zip(x, lp)]


def bandpass(x, lo, hi):
    return lowpass(highpass(x, lo), hi)


def shaped(x, e):
    return [a * b for a, b in zip(x, e)]


def mixin(dst, src, at=0.0, gain=1.0):
    i0 = int(at * RATE)
    need = i0 + len(src)
    if len(dst) < need:
        dst.extend([0.0] * (need - len(dst)))
    for i, v in enumerate(src):
        dst[i0 + i] += v * gain
    return dst


def decay(n, rate):
    return [math.exp(-rate * i / RATE) for i in range(n)]


def normalise(x, peak=0.8):
    m = max(1e-9, max(abs(v) for v in x))
    return [v * peak / m for v in x]


def write_wav(path, x):
    x = normalise(x) if x else silence(0.1)
    data = b"".join(struct.pack("<h", int(max(-1.0, min(1.0, v)) * 32000)) for v in x)
    with open(path, "wb") as f:
        f.write(b"RIFF" + struct.pack("<I", 36 + len(data)) + b"WAVE")
        f.write(b"fmt " + struct.pack("<IHHIIHH", 16, 1, 1, RATE, RATE * 2, 2, 16))
        f.write(b"data" + struct.pack("<I", len(data)) + data)


def write_ogg(path, x, quality="-1"):
    with tempfile.TemporaryDirectory() as tmp:
        wav = os.path.join(tmp, "in.wav")
        write_wav(wav, x)
        subprocess.run(["oggenc", "-Q", "-q", quality, "-s", "4242", "--resample", "22050",
                        "-o", path, wav], check=True)


# ------------------------------------------------------------ effects

def thud(r, freq=70, sec=0.25, click=0.3):
    n = int(sec * RATE)
    body = shaped(tone(freq, sec, 0.9, glide=freq * 0.6), decay(n, 18))
    hit = shaped(lowpass(noise(r, sec, click), 1500), decay(n, 60))
    return [a + b for a, b in zip(body, hit)]


def swish(r, sec=0.3, lo=800, hi=4000):
    n = int(sec * RATE)
    e = [math.sin(math.pi * i / n) ** 2 for i in range(n)]
    return shaped(bandpass(noise(r, sec, 0.8), lo, hi), e)


def crackle(r, sec, density=0.004, vol=0.7):
    x = shaped(lowpass(noise(r, sec, 0.15, "brown"), 600), env(int(sec * RATE), 0.2, 0.3))
    i = 0
    while i < len(x):
        if r.random() < density:
            ln = r.randint(20, 160)
            for k in range(ln):
                if i + k < len(x):
                    x[i + k] += (r.random() * 2 - 1) * vol * math.exp(-k / 30.0)
            i += ln
        i += 1
    return x


def footsteps(r, count, gap, kind):
    x = []
    for k in range(count):
        t = k * gap + r.random() * 0.03
        if kind in ("walk", "run"):
            s = shaped(bandpass(noise(r, 0.09, 0.9), 200, 2500), decay(int(0.09 * RATE), 40))
            mixin(x, thud(r, 60, 0.12, 0.2), t, 0.6)
        elif kind in ("snow", "deep"):
            s = shaped(bandpass(noise(r, 0.18, 0.9), 1500, 6000), env(int(0.18 * RATE), 0.05, 0.1))
        elif kind == "crust":
            s = crackle(r, 0.16, 0.02, 0.9)
        elif kind == "soggy":
            s = shaped(lowpass(noise(r, 0.2, 0.9, "pink"), 900), env(int(0.2 * RATE), 0.02, 0.15))
            mixin(s, tone(300, 0.08, 0.3, glide=700), 0.05)
        elif kind == "wade":
            s = shaped(bandpass(noise(r, 0.35, 0.9), 300, 3000), env(int(0.35 * RATE), 0.05, 0.25))
        elif kind == "ski":
            s = shaped(bandpass(noise(r, 0.45, 0.8), 2500, 8000), env(int(0.45 * RATE), 0.1, 0.2))
        elif kind == "inside":
            s = thud(r, 110, 0.12, 0.5)
        elif kind == "crawl":
            s = shaped(bandpass(noise(r, 0.3, 0.7), 400, 3000), env(int(0.3 * RATE), 0.1, 0.15))
        else:
            s = thud(r)
        mixin(x, s, t)
    return x


def bird_song(r, base, notes, sec_note=0.09, gap=0.04, trill=0.0, glide=0.3):
    x = []
    t = 0.0
    for k in range(notes):
        f = base * (1 + r.uniform(-glide, glide))
        n = tone(f, sec_note, 0.6, vib=trill, vib_rate=60, glide=f * r.uniform(0.8, 1.3))
        mixin(x, shaped(n, env(len(n), 0.005, 0.03)), t)
        t += sec_note + gap
    return x


def animal_call(r, f0, sec, rough=0.3, glide=None, shape="saw", cut=1500, vib=0.02):
    n = int(sec * RATE)
    x = tone(f0, sec, 0.7, shape=shape, vib=vib, vib_rate=6, glide=glide)
    x = [a + b for a, b in zip(x, noise(r, sec, rough))]
    x = lowpass(x, cut)
    return shaped(x, env(n, 0.04, sec * 0.4))


def howl(r, f0=420, sec=1.6):
    n = int(sec * RATE)
    x = []
    ph = 0.0
    for i in range(n):
        t = i / n
        f = f0 * (0.8 + 0.35 * math.sin(math.pi * t)) * (1 + 0.01 * math.sin(TAU * 5 * i / RATE))
        ph += TAU * f / RATE
        x.append(math.sin(ph) * 0.6 + 0.2 * math.sin(2 * ph))
    return shaped(x, env(n, 0.2, 0.5))


def water_noise(r, sec, lo=300, hi=3000, bubbles=20):
    x = shaped(bandpass(noise(r, sec, 0.6, "pink"), lo, hi), env(int(sec * RATE), 0.3, 0.4))
    for _ in range(bubbles):
        f = r.uniform(400, 1400)
        b = tone(f, 0.05, 0.3, glide=f * 1.8)
        mixin(x, shaped(b, decay(len(b), 50)), r.uniform(0, sec - 0.06))
    return x


def wind(r, sec, lo=200, hi=900):
    n = int(sec * RATE)
    base = noise(r, sec, 0.8, "pink")
    x = []
    cut = bandpass(base, lo, hi)
    for i in range(n):
        g = 0.55 + 0.45 * math.sin(TAU * 0.23 * i / RATE) * math.sin(TAU * 0.07 * i / RATE + 1)
        x.append(cut[i] * g)
    return shaped(x, env(n, 0.4, 0.4))


def rain(r, sec):
    x = shaped(bandpass(noise(r, sec, 0.4), 1000, 7000), env(int(sec * RATE), 0.3, 0.3))
    for _ in range(int(sec * 60)):
        mixin(x, shaped(noise(r, 0.01, 0.6), decay(int(0.01 * RATE), 300)), r.uniform(0, sec - 0.02))
    return x


def kling(r):
    x = []
    for f, g in ((1320, 1.0), (1980, 0.6), (2640, 0.35), (3520, 0.2)):
        mixin(x, shaped(tone(f, 0.8, 0.5 * g), decay(int(0.8 * RATE), 5)), 0)
    return x


def drum_hit(r, f, sec=0.3):
    return shaped(tone(f, sec, 0.9, glide=f * 0.5), decay(int(sec * RATE), 14))


def effect(name, r):
    n = name
    if n == "kling":
        return kling(r)
    if n in ("lake", "watersound"):
        return water_noise(r, 2.5 if n == "lake" else 1.2)
    if n == "bark":
        x = []
        for k in range(2):
            mixin(x, animal_call(r, 380, 0.14, 0.5, glide=250, cut=2200), k * 0.3)
        return x
    if n.startswith("wolf"):
        return howl(r, 420 if n == "wolf" else 520, 1.8 if n == "wolf" else 1.3)
    if n.startswith("owl"):
        x = []
        for k, d in enumerate((0.0, 0.5, 0.75)):
            mixin(x, shaped(tone(380 if n == "owl" else 330, 0.3, 0.6), env(int(0.3 * RATE), 0.05, 0.15)), d)
        return x
    if n == "swing":
        return swish(r, 0.3)
    if n == "fire":
        return crackle(r, 1.5)
    if n == "snarl":
        return animal_call(r, 140, 0.6, 0.9, cut=1200, vib=0.08)
    if n.startswith("growl"):
        return animal_call(r, 80 + 15 * len(n), 0.9, 0.8, cut=800, vib=0.1)
    if n.startswith("roar"):
        return animal_call(r, 120, 1.2, 0.9, glide=90, cut=1400, vib=0.05)
    if n == "dig":
        x = []
        for k in range(3):
            mixin(x, shaped(bandpass(noise(r, 0.25, 0.8), 300, 3000), decay(int(0.25 * RATE), 12)), k * 0.55)
        return x
    if n == "burp":
        return animal_call(r, 110, 0.4, 0.4, glide=80, cut=700)
    if n == "axework":
        x = []
        for k in range(4):
            mixin(x, thud(r, 180, 0.2, 0.9), k * 0.6)
        return x
    if n == "fall":
        x = swish(r, 0.35, 200, 1500)
        return mixin(x, thud(r, 55, 0.4, 0.6), 0.3)
    if n.startswith("guffaw"):
        x = []
        for k in range(4):
            mixin(x, animal_call(r, 160 + 20 * (n == "guffaw2"), 0.12, 0.4, cut=1800), k * 0.17)
        return x
    if n == "bawl":
        return animal_call(r, 260, 0.9, 0.3, glide=200, cut=1600)
    if n == "fleshwork":
        return shaped(bandpass(noise(r, 0.8, 0.7, "pink"), 200, 1800), env(int(0.8 * RATE), 0.1, 0.3))
    if n == "snuffle":
        x = []
        for k in range(4):
            mixin(x, shaped(bandpass(noise(r, 0.12, 0.8), 500, 3000), env(int(0.12 * RATE), 0.02, 0.06)), k * 0.18)
        return x
    if n.startswith("grunt"):
        return animal_call(r, 90 + 10 * len(n), 0.3, 0.6, cut=900)
    if n == "whimper":
        return animal_call(r, 700, 0.7, 0.1, glide=500, shape="sine", cut=3000, vib=0.05)
    if n.startswith("snort"):
        return shaped(bandpass(noise(r, 0.35, 0.9), 300, 2500), env(int(0.35 * RATE), 0.01, 0.2))
    if n.startswith("bird_") or n == "bird1":
        table = {"varis": (900, 3, 0.25, 0.1, 0.3, 0.3), "kapytikka": (1800, 8, 0.03, 0.03, 0.0, 0.05),
                 "harakka": (1500, 6, 0.06, 0.03, 0.0, 0.4), "keltasirkku": (3600, 8, 0.08, 0.02, 0.0, 0.05),
                 "leppalintu": (3000, 5, 0.12, 0.05, 0.1, 0.3), "peippo": (3200, 9, 0.07, 0.02, 0.0, 0.2),
                 "satakieli": (2400, 12, 0.06, 0.03, 0.2, 0.4), "1": (2800, 6, 0.1, 0.05, 0.05, 0.3)}
        key = n.replace("bird_", "").rstrip("2") if n != "bird1" else "1"
        base, cnt, sn, gap, tr, gl = table.get(key, (2500, 6, 0.1, 0.05, 0.0, 0.3))
        if key == "varis":
            return mixin([], animal_call(r, 700, 0.3, 0.7, glide=600, cut=3000), 0) + \
                animal_call(r, 650, 0.3, 0.7, glide=560, cut=3000)
        if key == "harakka":
            return [v for v in crackle(r, 0.6, 0.05, 0.9)]
        return bird_song(r, base * (1.1 if n.endswith("2") else 1.0), cnt, sn, gap, tr, gl)
    if n.startswith("birdcall_"):
        species = n[len("birdcall_"):]
        if species in ("raven",):
            return animal_call(r, 500, 0.35, 0.6, glide=420, cut=2500)
        if species in ("swan", "mallard", "tufted_duck", "goldeneye"):
            x = []
            for k in range(3):
                mixin(x, animal_call(r, 480 if species != "swan" else 620, 0.16, 0.3, cut=2500), k * 0.22)
            return x
        if species == "kuikka":
            return howl(r, 700, 1.4)
        if species == "eagle_owl":
            return mixin([], shaped(tone(160, 0.5, 0.7), env(int(0.5 * RATE), 0.05, 0.2)), 0)
        if species == "goshawk":
            return bird_song(r, 1900, 6, 0.1, 0.04, 0.0, 0.05)
        if species in ("black_grouse", "capercaillie"):
            return [a for a in lowpass(bird_song(r, 700, 10, 0.07, 0.01, 0.2, 0.1), 2000)]
        return bird_song(r, 1600, 5, 0.1, 0.05, 0.1, 0.3)
    if n == "splash":
        x = shaped(bandpass(noise(r, 0.7, 0.9), 300, 5000), decay(int(0.7 * RATE), 6))
        return mixin(x, water_noise(r, 0.5, bubbles=6), 0.1, 0.5)
    if n == "harr":
        x = []
        for k in range(3):
            mixin(x, animal_call(r, 220 + 40 * k, 0.5, 0.4, cut=2200), k * 0.1)
        return x
    if n == "faderun":
        x = footsteps(r, 6, 0.18, "run")
        return shaped(x, [max(0.0, 1 - i / len(x)) for i in range(len(x))])
    if n == "run":
        return footsteps(r, 4, 0.2, "run")
    if n == "walk":
        return footsteps(r, 2, 0.4, "walk")
    if n == "crawl":
        return footsteps(r, 2, 0.45, "crawl")
    if n == "walkinside":
        return footsteps(r, 2, 0.4, "inside")
    if n == "walk_soggy":
        return footsteps(r, 2, 0.45, "soggy")
    if n == "walk_deepsnow":
        return footsteps(r, 2, 0.5, "deep")
    if n == "walk_snowcrust":
        return footsteps(r, 2, 0.45, "crust")
    if n in ("ski", "ski_crust"):
        x = footsteps(r, 2, 0.5, "ski")
        return mixin(x, crackle(r, 0.8, 0.01, 0.5), 0) if n == "ski_crust" else x
    if n == "wade":
        return footsteps(r, 2, 0.45, "wade")
    if n == "thump":
        return thud(r, 70, 0.3, 0.4)
    if n == "crack":
        x = shaped(noise(r, 0.25, 1.0), decay(int(0.25 * RATE), 25))
        return mixin(x, thud(r, 150, 0.2, 0.2), 0.02)
    if n in ("breeze", "windfly", "windfly2"):
        return wind(r, 3.0 if n == "breeze" else 1.6, 150 if n == "breeze" else 400, 700 if n == "breeze" else 2500)
    if n == "rain":
        return rain(r, 3.0)
    if n == "ambience":
        x = wind(r, 3.0, 100, 400)
        mixin(x, bird_song(r, 3000, 4, 0.08, 0.06, 0.0, 0.3), 1.0, 0.15)
        return x
    if n == "death":
        x = []
        for k, f in enumerate((220, 196, 174, 147)):
            mixin(x, shaped(tone(f, 0.9, 0.5, shape="tri"), env(int(0.9 * RATE), 0.05, 0.6)), k * 0.5)
        return x
    if n.startswith("ritual"):
        base = {"ritual": 110, "ritual2": 130, "ritual3": 98}[n]
        x = []
        for k in range(6):
            mixin(x, drum_hit(r, 90), k * 0.4)
        mixin(x, shaped(tone(base, 2.4, 0.4, shape="saw", vib=0.01), env(int(2.4 * RATE), 0.3, 0.6)), 0, 0.3)
        return lowpass(x, 1200)
    if n == "smash":
        x = thud(r, 90, 0.35, 1.0)
        return mixin(x, crackle(r, 0.3, 0.05, 0.8), 0)
    if n == "block":
        return mixin(thud(r, 200, 0.2, 0.8), shaped(tone(900, 0.2, 0.3), decay(int(0.2 * RATE), 25)), 0)
    if n == "miss":
        return swish(r, 0.25, 1500, 6000)
    if n.startswith("hit_"):
        power = {"hit_minor": 0.3, "hit_serious": 0.6, "hit_grievous": 1.0, "hit_npc": 0.5}[n]
        x = thud(r, 80 - 20 * power, 0.2 + 0.3 * power, 0.5 + power)
        if power > 0.5:
            mixin(x, animal_call(r, 200, 0.3, 0.5, glide=140, cut=1500), 0.1, 0.5)
        return x
    if n == "throw":
        return swish(r, 0.4, 400, 2500)
    if n == "arrow":
        x = mixin(tone(180, 0.15, 0.5, glide=90), swish(r, 0.35, 2000, 7000), 0.05)
        return x
    if n == "meow":
        return animal_call(r, 600, 0.5, 0.1, glide=450, shape="tri", cut=3000)
    if n == "sheep":
        return animal_call(r, 300, 0.7, 0.2, cut=2000, vib=0.12)
    if n == "drop":
        return thud(r, 240, 0.15, 0.6)
    if n == "swear":
        x = []
        for k in range(5):
            mixin(x, animal_call(r, 150 + r.randint(0, 60), 0.09, 0.5, cut=2200), k * 0.11)
        return x
    if n == "meanlaug":
        x = []
        for k in range(5):
            mixin(x, animal_call(r, 130, 0.1, 0.5, cut=1600), k * 0.15)
        return x
    if n == "spoil":
        return animal_call(r, 140, 0.5, 0.7, glide=100, cut=900)
    if n == "yelp":
        return animal_call(r, 900, 0.2, 0.2, glide=600, cut=3500)
    if n == "squeak":
        return animal_call(r, 2200, 0.12, 0.05, glide=2800, shape="sine", cut=6000)
    if n in ("hitplr4", "hitplr5"):
        return animal_call(r, 240 if n == "hitplr4" else 200, 0.5, 0.5, glide=160, cut=1800)
    raise SystemExit("no sound design for %s" % name)


# ------------------------------------------------------------- music

SCALE = [0, 2, 3, 5, 7, 8, 10, 12, 14, 15]  # natural minor, a northern colour


def note_freq(root, step):
    octave, idx = divmod(step, len(SCALE) - 3)
    return root * 2 ** ((SCALE[idx] + 12 * octave) / 12.0)


def kantele(f, sec):
    n = int(sec * RATE)
    x = [0.0] * n
    for h, g in ((1, 1.0), (2, 0.45), (3, 0.2), (4, 0.1)):
        for i in range(n):
            x[i] += math.sin(TAU * f * h * i / RATE) * g
    return shaped(x, [math.exp(-3.2 * i / RATE) * min(1, i / 40.0) for i in range(n)])


def music(name, r):
    style = {"intro": (147, 64, "kantele", True), "music_munni": (165, 54, "kantele", False),
             "music_chantbeat": (110, 48, "chant", True), "music_chant": (98, 48, "chant", False),
             "music_ritual": (82, 52, "drone", True), "music_birth": (196, 56, "kantele", False)}[name]
    root, beats, voice, drums = style
    beat = 0.36
    x = silence(beats * beat + 1.5)
    step = 4
    for b in range(beats):
        t = b * beat
        if voice == "kantele":
            if b % 2 == 0 or r.random() < 0.3:
                step = max(0, min(9, step + r.choice((-2, -1, -1, 1, 1, 2))))
                mixin(x, kantele(note_freq(root, step), 1.2), t, 0.35)
            if b % 8 == 0:
                mixin(x, kantele(note_freq(root / 2, 0), 2.2), t, 0.3)
        elif voice == "chant":
            if b % 4 == 0:
                step = max(0, min(6, step + r.choice((-1, 0, 1))))
                f = note_freq(root, step)
                v = shaped(tone(f, beat * 4, 0.4, shape="saw", vib=0.006), env(int(beat * 4 * RATE), 0.15, 0.3))
                mixin(x, lowpass(v, 900), t, 0.4)
        else:
            if b % 8 == 0:
                v = shaped(tone(root, beat * 8, 0.5, shape="saw", vib=0.004), env(int(beat * 8 * RATE), 0.5, 0.8))
                mixin(x, lowpass(v, 500), t, 0.35)
        if drums and (b % 2 == 0 or (voice == "drone" and r.random() < 0.3)):
            mixin(x, drum_hit(r, 70 if b % 4 == 0 else 95), t, 0.4)
    return x


def main():
    names = [v[len("audio/"):] for k, v in read_manifest() if k == "file" and v.startswith("audio/")]
    for fn in names:
        stem, ext = os.path.splitext(fn)
        r = rng(fn)
        if stem == "intro" or stem.startswith("music_"):
            write_ogg(out("audio/" + fn), music(stem, r), quality="-1")
            continue
        x = effect(stem, r)
        if ext == ".ogg":
            write_ogg(out("audio/" + fn), x, quality="0")
        else:
            write_wav(out("audio/" + fn), x)
    print("sounds: %d" % len(names))


if __name__ == "__main__":
    main()
