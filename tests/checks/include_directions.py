#!/usr/bin/env python3
"""Fails when a source includes a header of a floor it may not see.

The house has two halves, each in floors. The core, which never sees Qt, bottom up: platform;
model and resources (the command, menu and toolbar tables); netlist and library; drc and
interchange; drawtools (the headless drawing tools). Above it the windows: gui/ with the widget
kit (gui/kit) at its bottom and the dialogs and each subsystem's windows (gui/dialogs,
gui/library, gui/netlist, gui/drc, gui/interchange) on the kit; then shell/ on top of all.

Two rules hold every include. The top-level folders stand in the order of TOP_LEVEL: a folder
includes only itself and folders on lower floors, so no folder includes one above it and no two
include each other. Within that, each floor includes only what ALLOWED gives it. Tests,
benchmarks, fuzz targets and the standard library's generator are not floors and are not
checked.

usage: include_directions.py SOURCE_DIR
"""

import os
import re
import sys

# The top-level folders, floor by floor, bottom up.
TOP_LEVEL = [
    {"platform"},
    {"model", "resources"},
    {"netlist", "library"},
    {"drc", "interchange"},
    {"drawtools"},
    {"gui"},
    {"shell"},
]
RANK = {folder: rank for rank, floor in enumerate(TOP_LEVEL) for folder in floor}

CORE = {"platform", "model", "resources", "netlist", "library", "drc", "interchange", "drawtools"}
GUI_ON_KIT = ["gui/dialogs", "gui/library", "gui/netlist", "gui/drc", "gui/interchange"]
WINDOWS_BASE = CORE - {"drawtools"} | {"Qt", "gui/kit"}

# What each floor may include besides itself.
ALLOWED = {
    "platform": set(),
    "model": {"platform"},
    "resources": {"platform"},
    "netlist": {"platform", "model"},
    "library": {"platform", "model"},
    "drc": {"platform", "model", "netlist", "library"},
    "interchange": {"platform", "model", "netlist", "library"},
    "drawtools": CORE - {"drawtools"},
    "gui/kit": CORE - {"drawtools"} | {"Qt"},
    **{floor: WINDOWS_BASE for floor in GUI_ON_KIT},
    "shell": CORE | {"Qt", "gui/kit"} | set(GUI_ON_KIT),
}

NOT_FLOORS = {"tests", "bench", "fuzz", "mkstdlib", "build", ".git"}
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^">]+)[">]', re.MULTILINE)
QT_HEADER = re.compile(r"(Q[A-Za-z0-9]*|qt[A-Za-z0-9]*/)")


def floor_of(path):
    """The floor of a repository path, or None when it is not in one."""
    parts = path.split("/")
    if parts[0] == "gui" and len(parts) > 2:
        return "gui/" + parts[1]
    if parts[0] in ALLOWED:
        return parts[0]
    return None


def included_floor(header):
    if QT_HEADER.match(header):
        return "Qt"
    return floor_of(header) if "/" in header else None


def top_level(floor):
    return floor.split("/")[0]


def offence(floor, target):
    """Why an include from floor into target breaks a rule, or None when it keeps them."""
    source, included = top_level(floor), top_level(target)
    if target != "Qt" and source != included and RANK[included] >= RANK[source]:
        where = "above" if RANK[included] > RANK[source] else "beside"
        return f"{source}/ includes {included}/, which stands {where} it"
    if target != floor and target not in ALLOWED[floor]:
        return f"{floor} includes {target}"
    return None


def offences(root):
    for top, dirs, files in os.walk(root):
        rel_top = os.path.relpath(top, root)
        if rel_top == ".":
            dirs[:] = [d for d in dirs if d not in NOT_FLOORS and not d.startswith("build")]
        dirs.sort()
        for name in sorted(files):
            if not name.endswith((".h", ".cpp")):
                continue
            path = os.path.normpath(os.path.join(rel_top, name))
            floor = floor_of(path)
            if floor is None:
                continue
            with open(os.path.join(top, name), encoding="utf-8", errors="replace") as f:
                text = f.read()
            for header in INCLUDE.findall(text):
                target = included_floor(header)
                why = offence(floor, target) if target is not None else None
                if why is not None:
                    yield f"{path}: {why} ({header})"


def table_keeps_the_order():
    """The floors' table lets no floor include a top-level folder above or beside its own."""
    for floor, allowed in ALLOWED.items():
        for target in allowed - {"Qt"}:
            same = top_level(target) == top_level(floor)
            assert same or RANK[top_level(target)] < RANK[top_level(floor)], (
                f"the table lets {floor} include {target}")


def main():
    table_keeps_the_order()
    return report(list(offences(sys.argv[1])), "include")


def report(found, what):
    """Prints the offences against the floors' directions; the exit status."""
    for line in found:
        print(line)
    if found:
        print(f"{len(found)} {what}(s) against the floors' directions")
        return 1
    print(f"every {what} follows the floors' directions")
    return 0


if __name__ == "__main__":
    sys.exit(main())
