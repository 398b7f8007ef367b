#!/usr/bin/env python3
"""Tests of tools/check_floors.py on small planted source trees."""
import os
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
CHECKER = os.path.join(HERE, "..", "..", "tools", "check_floors.py")


def run_checker(src):
    done = subprocess.run([sys.executable, CHECKER, src], capture_output=True, text=True)
    return done.returncode, done.stdout


class PlantedTree(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.src = self.tmp.name

    def tearDown(self):
        self.tmp.cleanup()

    def write(self, rel, text):
        path = os.path.join(self.src, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w") as f:
            f.write(text)

    def plant_sound_tree(self):
        self.write("base/platform.h", "#pragma once\n#include <cstdint>\n")
        self.write("ui/canvas.h", '#pragma once\n#include <SDL.h>\n#include "base/platform.h"\n')
        self.write("maps/map_layers.h", '#pragma once\n#include "ui/canvas.h"\n')
        self.write("screens/side_panel.cpp", '#include "maps/map_layers.h"\n#include "ui/canvas.h"\n')
        self.write("shell/game_loop.cpp", '#include "screens/side_panel.h"\n')
        self.write("main.cpp", '#include "shell/game_loop.h"\n')

    def test_a_tree_that_keeps_its_floors_passes(self):
        self.plant_sound_tree()
        code, out = run_checker(self.src)
        self.assertEqual(code, 0, out)
        self.assertEqual(out, "")

    def test_each_climbing_include_is_named_by_file_and_line(self):
        self.plant_sound_tree()
        cases = [
            ("base/text.cpp", '#include "base/platform.h"\n#include "ui/canvas.h"\n', "base/text.cpp:2:"),
            ("ui/sky.cpp", '// sky\n\n#include "game/player.h"\n', "ui/sky.cpp:3:"),
            ("maps/sight.cpp", '#include "screens/side_panel.h"\n', "maps/sight.cpp:1:"),
            ("screens/panel.h", '#pragma once\n#include "shell/commands.h"\n', "screens/panel.h:2:"),
            ("base/clock.cpp", "#include <SDL.h>\n", "base/clock.cpp:1:"),
            ("newfolder/thing.cpp", "int x;\n", "newfolder/thing.cpp:1:"),
        ]
        for rel, text, where in cases:
            with self.subTest(rel=rel):
                self.write(rel, text)
                code, out = run_checker(self.src)
                self.assertEqual(code, 1)
                self.assertIn(where, out)
                os.remove(os.path.join(self.src, rel))

    def test_a_circle_of_includes_in_the_engine_is_named(self):
        self.plant_sound_tree()
        self.write("ui/font.h", '#pragma once\n#include "ui/canvas.h"\n')
        self.write("ui/canvas.cpp", '#include "ui/canvas.h"\n#include "ui/font.h"\n')
        code, out = run_checker(self.src)
        self.assertEqual(code, 1)
        self.assertIn("includes go round in a circle: ui/canvas -> ui/font", out)
        # The game's folders may call each other both ways.
        os.remove(os.path.join(self.src, "ui/canvas.cpp"))
        self.write("maps/sight.cpp", '#include "objects/things.h"\n')
        self.write("objects/things.cpp", '#include "maps/sight.h"\n')
        code, out = run_checker(self.src)
        self.assertEqual(code, 0, out)

    def test_the_stub_register_and_the_stubs_agree(self):
        self.write("base/stubs.cpp", '{"fire_heat_at", "body", "0"},\n{"gone_stub", "work", "nothing"},\n')
        self.write("body/heat.cpp", 'int fire_heat_at(int, int) { KSM_STUB("fire_heat_at"); return 0; }\n'
                   'void unlisted() { KSM_STUB("unlisted"); }\n')
        self.write("maps/misplaced.cpp", 'void fire_heat_elsewhere() { KSM_STUB("fire_heat_at"); }\n')
        code, out = run_checker(self.src)
        self.assertEqual(code, 1)
        self.assertIn("body/heat.cpp:2: stub 'unlisted' is not in the register", out)
        self.assertIn("maps/misplaced.cpp:1: stub 'fire_heat_at' is registered for folder 'body'", out)
        self.assertIn("registered stub 'gone_stub' is not found in 'work'", out)


class RealTree(unittest.TestCase):
    def test_the_source_tree_keeps_its_floors(self):
        code, out = run_checker(os.path.join(HERE, "..", "..", "src"))
        self.assertEqual(code, 0, out)


if __name__ == "__main__":
    unittest.main()
