#!/usr/bin/env python3
"""Checks the floors of the source tree.

The source folders stand on floors, from the ground up:

    base     no SDL and no game state
    ui       the SDL engine, without game state
    game     maps, mapgen, objects, creatures, body, work, society, console,
             game (the player record, the clock and the turn's state)
    screens  what draws the game's state
    shell    start-up, the loops, command dispatch, starting and ending games

An #include goes to the same floor or a lower one, never up; base includes
no SDL header; and no circle of includes passes through base or ui (a file
and its header count as one: x.h and x.cpp). It also checks the register of stubs (base/stubs.cpp): every
KSM_STUB("name") is listed there with the folder it lives in, and every
listed stub is found in its folder.

Usage: check_floors.py [SRC_DIR]   (default: the src folder beside tools/)
Prints one line per fault, "file:line: what", and exits 1 when there is any.
"""
import os
import re
import sys

FLOORS = {
    "base": 0,
    "ui": 1,
    "game": 2, "maps": 2, "mapgen": 2, "objects": 2, "creatures": 2,
    "body": 2, "work": 2, "society": 2, "console": 2,
    "screens": 3,
    "shell": 4,
}
FLOOR_NAMES = ["base", "ui", "game", "screens", "shell", "the program entry"]
ENTRY_FLOOR = 5  # files directly in the source folder (main.cpp)

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]')
STUB_CALL = re.compile(r'KSM_STUB\("([^"]+)"\)')
REGISTER_LINE = re.compile(r'^\s*\{"([^"]+)",\s*"([^"]+)",')


def floor_of_folder(folder):
    return FLOORS.get(folder)


def source_files(src):
    for root, dirs, files in os.walk(src):
        dirs.sort()
        for name in sorted(files):
            if name.endswith((".h", ".cpp")):
                yield os.path.join(root, name)


def check_includes(src, path, faults):
    rel = os.path.relpath(path, src).replace(os.sep, "/")
    parts = rel.split("/")
    if len(parts) == 1:
        here = ENTRY_FLOOR
    else:
        here = floor_of_folder(parts[0])
        if here is None:
            faults.append(f"{rel}:1: folder '{parts[0]}' stands on no floor (add it to tools/check_floors.py)")
            return
    with open(path, encoding="latin-1") as f:
        for number, line in enumerate(f, 1):
            m = INCLUDE.match(line)
            if not m:
                continue
            kind, target = m.groups()
            if kind == "<":
                if here == 0 and target.startswith("SDL"):
                    faults.append(f"{rel}:{number}: base includes <{target}> (base has no SDL)")
                continue
            folder = target.split("/")[0] if "/" in target else None
            if folder is None:
                continue
            there = floor_of_folder(folder)
            if there is None:
                faults.append(f"{rel}:{number}: includes \"{target}\" from a folder on no floor")
            elif there > here:
                faults.append(f"{rel}:{number}: includes \"{target}\", which climbs from "
                              f"{FLOOR_NAMES[here]} up to {FLOOR_NAMES[there]}")


def module_of(rel):
    return rel.rsplit(".", 1)[0]


def check_circles(src, faults):
    """Reports every circle of includes among the modules of base and ui."""
    edges = {}
    for path in source_files(src):
        rel = os.path.relpath(path, src).replace(os.sep, "/")
        here = module_of(rel)
        if not rel.startswith(("base/", "ui/")):
            continue
        with open(path, encoding="latin-1") as f:
            for line in f:
                m = INCLUDE.match(line)
                if m and m.group(1) == '"':
                    target = module_of(m.group(2))
                    if target != here and target.startswith(("base/", "ui/")):
                        edges.setdefault(here, set()).add(target)
    # Tarjan's strongly connected components, iteratively.
    index, low, on_stack, stack, circles = {}, {}, set(), [], []
    counter = [0]
    for root in sorted(edges):
        if root in index:
            continue
        work = [(root, iter(sorted(edges.get(root, ()))))]
        index[root] = low[root] = counter[0]
        counter[0] += 1
        stack.append(root)
        on_stack.add(root)
        while work:
            node, children = work[-1]
            child = next(children, None)
            if child is not None:
                if child not in index:
                    index[child] = low[child] = counter[0]
                    counter[0] += 1
                    stack.append(child)
                    on_stack.add(child)
                    work.append((child, iter(sorted(edges.get(child, ())))))
                elif child in on_stack:
                    low[node] = min(low[node], index[child])
                continue
            work.pop()
            if work:
                low[work[-1][0]] = min(low[work[-1][0]], low[node])
            if low[node] == index[node]:
                members = []
                while True:
                    member = stack.pop()
                    on_stack.discard(member)
                    members.append(member)
                    if member == node:
                        break
                if len(members) > 1:
                    circles.append(sorted(members))
    for members in circles:
        faults.append(f"{members[0]}.h:1: includes go round in a circle: " + " -> ".join(members))


def check_stubs(src, faults):
    register_path = os.path.join(src, "base", "stubs.cpp")
    if not os.path.exists(register_path):
        return
    listed = {}
    with open(register_path, encoding="latin-1") as f:
        for number, line in enumerate(f, 1):
            m = REGISTER_LINE.match(line)
            if m:
                name, folder = m.groups()
                if name in listed:
                    faults.append(f"base/stubs.cpp:{number}: stub '{name}' is listed twice")
                listed[name] = (folder, number)
    found = {}
    for path in source_files(src):
        rel = os.path.relpath(path, src).replace(os.sep, "/")
        if rel.startswith("base/stubs."):
            continue
        folder = rel.split("/")[0] if "/" in rel else ""
        with open(path, encoding="latin-1") as f:
            for number, line in enumerate(f, 1):
                for name in STUB_CALL.findall(line):
                    found.setdefault(name, (folder, rel, number))
                    if name not in listed:
                        faults.append(f"{rel}:{number}: stub '{name}' is not in the register (base/stubs.cpp)")
                    elif listed[name][0] != folder:
                        faults.append(f"{rel}:{number}: stub '{name}' is registered for folder "
                                      f"'{listed[name][0]}' but lives in '{folder}'")
    for name, (folder, number) in sorted(listed.items()):
        if name not in found:
            faults.append(f"base/stubs.cpp:{number}: registered stub '{name}' is not found in '{folder}'")


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    src = argv[1] if len(argv) > 1 else os.path.join(here, "..", "src")
    if not os.path.isdir(src):
        print(f"{src}: no such folder")
        return 2
    faults = []
    for path in source_files(src):
        check_includes(src, path, faults)
    check_circles(src, faults)
    check_stubs(src, faults)
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
