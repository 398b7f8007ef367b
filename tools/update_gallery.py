#!/usr/bin/env python3
"""Makes the screen gallery's reference pictures anew.

The gallery tests (Gallery.* in tests/shell/test_gallery.cpp) compare every
screen the game shows with a picture in tests/shell/reference/gallery/.
When a screen is meant to change, this script is the deliberate step that
takes the new pictures: it runs the gallery tests of a build with
KSM_GALLERY_OUT naming a temporary folder, where the tests leave every shot
as a PNG, and copies the shots over the references (references of shots the
gallery no longer takes are removed). Look at what changed (git diff, the
contact sheet of tools/gallery_sheet.py) before committing it.

Usage: tools/update_gallery.py [BUILD_DIR]   (default: build)
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
REFERENCES = os.path.join(ROOT, "tests", "shell", "reference", "gallery")
GALLERY_SOURCE = os.path.join(ROOT, "tests", "shell", "test_gallery.cpp")


def shots_in_source():
    """The shots the gallery's key scripts take."""
    with open(GALLERY_SOURCE, encoding="latin-1") as f:
        return set(re.findall(r"\{shot ([a-z0-9_]+)\}", f.read()))


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build"))
    tests = os.path.join(build, "tests")
    program = os.path.join(tests, "test_shell")
    if not os.path.exists(program):
        sys.exit("no %s: build the tests first (cmake --build %s)" % (program, build))
    with tempfile.TemporaryDirectory(prefix="ksm-gallery-") as out:
        env = dict(os.environ, KSM_GALLERY_OUT=out)
        # The comparisons fail for every changed picture: that is the point.
        subprocess.run([program, "--gtest_filter=Gallery.*"], cwd=tests, env=env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        shots = sorted(name for name in os.listdir(out) if name.endswith(".png"))
        if not shots:
            sys.exit("the gallery took no shots: run %s --gtest_filter=Gallery.* to see why" % program)
        # "shot reference" lines: every shot taken and the picture it is
        # compared with (a shot may be compared with another's picture).
        taken, references = set(), set()
        with open(os.path.join(out, "shots.txt")) as f:
            for line in f:
                shot, reference = line.split()
                taken.add(shot)
                references.add(reference + ".png")
        missing = sorted(shots_in_source() - taken)
        os.makedirs(REFERENCES, exist_ok=True)
        old = set(name for name in os.listdir(REFERENCES) if name.endswith(".png"))
        for name in shots:
            shutil.copyfile(os.path.join(out, name), os.path.join(REFERENCES, name))
        if missing:
            # A run that went astray: keep every old picture.
            print("warning: no shots of", ", ".join(missing), "- old pictures kept")
        else:
            for name in sorted(old - references):
                os.remove(os.path.join(REFERENCES, name))
                print("removed", name)
    print("%d reference pictures in %s" % (len(shots), os.path.relpath(REFERENCES, ROOT)))


if __name__ == "__main__":
    main()
