#!/usr/bin/env python3
"""Makes the pictures of docs/ anew from the real program's frames.

Each picture has a key-script test (in test_mapgen) that, with KSM_DOCS_OUT
naming a folder, leaves its frame there: LocalMapGame.* plays the shared new
character into a lichenous pine forest and zooms in (screen-local-map),
VillageGame.* walks it into a village of its world (screen-village). This
script runs those tests of a build with a temporary folder and turns each
frame into the picture of docs/. Look at the pictures before committing them.

Usage: /usr/bin/python3 tools/update_docs_pictures.py [BUILD_DIR] [NAME...]
       (default: build, every picture)
"""
import os
import subprocess
import sys
import tempfile

from PIL import Image

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# The picture's name (docs/NAME.png, the frame NAME.bmp) and its test.
PICTURES = {
    "screen-local-map": "LocalMapGame.*",
    "screen-village": "VillageGame.*",
}


def make(program, tests, name, test_filter):
    with tempfile.TemporaryDirectory(prefix="ksm-docs-") as out:
        env = dict(os.environ, KSM_DOCS_OUT=out)
        run = subprocess.run([program, "--gtest_filter=" + test_filter], cwd=tests, env=env,
                             stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        frame = os.path.join(out, name + ".bmp")
        if run.returncode != 0 or not os.path.exists(frame):
            sys.exit("the test of %s failed; the picture was left as it was:\n%s" % (name, run.stdout[-2000:]))
        picture = os.path.join(ROOT, "docs", name + ".png")
        Image.open(frame).convert("RGB").save(picture)
    print("wrote %s" % os.path.relpath(picture, ROOT))


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build"))
    names = sys.argv[2:] or list(PICTURES)
    for name in names:
        if name not in PICTURES:
            sys.exit("no picture %s (known: %s)" % (name, ", ".join(PICTURES)))
    tests = os.path.join(build, "tests")
    program = os.path.join(tests, "test_mapgen")
    if not os.path.exists(program):
        sys.exit("no %s: build the tests first (cmake --build %s)" % (program, build))
    for name in names:
        make(program, tests, name, PICTURES[name])


if __name__ == "__main__":
    main()
