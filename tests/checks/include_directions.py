#!/usr/bin/env python3
"""Fails when a source includes a header of a floor it may not see.

The floors, bottom up: platform; model; netlist, library, drc and interchange; resources (the
command and menu tables) and shell/tools (the headless drawing tools) beside them. Those make
the core, which never sees Qt. Above the core: shell/kit; then dialogs/ and the subsystems'
ui/ folders; then the rest of shell/. Tests, benchmarks, fuzz targets and the generator are not
floors and are not checked.

usage: include_directions.py SOURCE_DIR
"""

import os
import re
import sys

CORE = {"platform", "model", "netlist", "library", "drc", "interchange"}
WINDOWS_BASE = CORE | {"resources", "Qt", "shell/kit"}

# What each floor may include besides itself.
ALLOWED = {
    "platform": set(),
    "model": {"platform"},
    "netlist": {"platform", "model"},
    "library": {"platform", "model"},
    "drc": {"platform", "model", "netlist", "library"},
    "interchange": {"platform", "model", "netlist", "library"},
    "resources": {"platform"},
    "shell/tools": CORE | {"resources"},
    "shell/kit": CORE | {"resources", "Qt"},
    "dialogs": WINDOWS_BASE,
    "ui": WINDOWS_BASE,
    "shell": WINDOWS_BASE | {"dialogs", "ui", "shell/tools"},
}
# Sources (not headers) of model/ may reach the netlist build, which stands on model/.
SOURCE_EXTRA = {"model": {"netlist"}}

NOT_FLOORS = {"tests", "bench", "fuzz", "tools", "build", ".git"}
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^">]+)[">]', re.MULTILINE)
QT_HEADER = re.compile(r"(Q[A-Za-z0-9]*|qt[A-Za-z0-9]*/)")


def floor_of(path):
    """The floor of a repository path, or None when it is not in one."""
    parts = path.split("/")
    if "ui" in parts[:-1]:
        return "ui"
    if parts[0] == "shell" and len(parts) > 2 and parts[1] in ("kit", "tools"):
        return "shell/" + parts[1]
    if parts[0] in ALLOWED:
        return parts[0]
    return None


def included_floor(header):
    if QT_HEADER.match(header):
        return "Qt"
    return floor_of(header) if "/" in header else None


def offences(root):
    for top, dirs, files in os.walk(root):
        rel_top = os.path.relpath(top, root)
        if rel_top == ".":
            dirs[:] = [d for d in dirs if d not in NOT_FLOORS and not d.startswith("build")]
        for name in sorted(files):
            if not name.endswith((".h", ".cpp")):
                continue
            path = os.path.normpath(os.path.join(rel_top, name))
            floor = floor_of(path)
            if floor is None:
                continue
            allowed = ALLOWED[floor] | {floor}
            if name.endswith(".cpp"):
                allowed |= SOURCE_EXTRA.get(floor, set())
            with open(os.path.join(top, name), encoding="utf-8", errors="replace") as f:
                text = f.read()
            for header in INCLUDE.findall(text):
                target = included_floor(header)
                if target is not None and target not in allowed:
                    yield f"{path}: {floor} includes {target} ({header})"


def main():
    found = list(offences(sys.argv[1]))
    for line in found:
        print(line)
    if found:
        print(f"{len(found)} include(s) against the floors' directions")
        return 1
    print("every include follows the floors' directions")
    return 0


if __name__ == "__main__":
    sys.exit(main())
