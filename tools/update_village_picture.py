#!/usr/bin/env python3
"""Makes docs/screen-village.png anew: the frame of a generated village with
its people as the real program shows it.

The test VillageGame.* (tests/mapgen/test_village_game.cpp) puts the
shared new character at a village of its world, zooms in and walks among
the villagers; with
KSM_DOCS_OUT naming a folder it leaves the frame there. This script runs
that test of a build with a temporary folder and turns the frame into the
picture of docs/. Look at the picture before committing it.

Usage: /usr/bin/python3 tools/update_village_picture.py [BUILD_DIR]   (default: build)
"""
import os
import subprocess
import sys
import tempfile

from PIL import Image

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
PICTURE = os.path.join(ROOT, "docs", "screen-village.png")


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build"))
    tests = os.path.join(build, "tests")
    program = os.path.join(tests, "test_mapgen")
    if not os.path.exists(program):
        sys.exit("no %s: build the tests first (cmake --build %s)" % (program, build))
    with tempfile.TemporaryDirectory(prefix="ksm-docs-") as out:
        env = dict(os.environ, KSM_DOCS_OUT=out)
        run = subprocess.run([program, "--gtest_filter=VillageGame.*"], cwd=tests, env=env,
                             stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        frame = os.path.join(out, "screen-village.bmp")
        if run.returncode != 0 or not os.path.exists(frame):
            sys.exit("the village test failed; the picture was left as it was:\n" + run.stdout[-2000:])
        Image.open(frame).convert("RGB").save(PICTURE)
    print("wrote %s" % os.path.relpath(PICTURE, ROOT))


if __name__ == "__main__":
    main()
