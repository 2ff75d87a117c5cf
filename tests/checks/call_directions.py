#!/usr/bin/env python3
"""Fails when an object file of the built program calls a function of a floor it may not see.

Includes are held by include_directions.py; this holds what the linker sees: every symbol an
object file of the core or of the windows takes from another object file must be defined on a
floor its own floor may include. Inline functions and templates (weak symbols) are compiled
into each user and are not counted. A call that runs up a floor therefore has to go through an
interface installed at run time, which the linker never sees.

usage: call_directions.py BUILD_DIR SOURCE_DIR
"""

import json
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from include_directions import floor_of, offence, report  # noqa: E402

TARGETS = ("vosk_core.dir", "vosk_gui.dir")
STRONG = set("TDBR")


def object_files(build_dir, source_dir):
    """(source path, object path) of every object of the core and the windows, as the build
    lists them (objects of sources that have since moved are not the program's)."""
    with open(os.path.join(build_dir, "compile_commands.json"), encoding="utf-8") as f:
        entries = json.load(f)
    for entry in entries:
        words = entry["command"].split()
        output = entry.get("output") or words[words.index("-o") + 1]
        if any(f"/{target}/" in output for target in TARGETS):
            obj = os.path.join(entry["directory"], output)
            if os.path.exists(obj):
                yield os.path.relpath(entry["file"], source_dir), obj


def symbols(paths, *options):
    """Maps each object path to the (kind, name) pairs nm lists for it."""
    found = {path: [] for path in paths}
    for start in range(0, len(paths), 200):
        chunk = paths[start:start + 200]
        out = subprocess.run(["nm", "-A", *options, *chunk], capture_output=True, text=True,
                             check=True).stdout
        for line in out.splitlines():
            path, _, rest = line.partition(": ") if ": " in line else line.partition(":")
            fields = rest.split()
            if len(fields) >= 2:
                found[path].append((fields[-2], fields[-1]))
    return found


def offences(build_dir, source_dir):
    objects = [(source, path) for source, path in object_files(build_dir, source_dir)
               if floor_of(source)]
    paths = [path for _, path in objects]
    source_of = dict((path, source) for source, path in objects)
    defined = {}
    for path, entries in symbols(paths, "-g", "--defined-only").items():
        for kind, name in entries:
            if kind in STRONG:
                defined.setdefault(name, source_of[path])
    for path, entries in symbols(paths, "-u").items():
        source = source_of[path]
        for _, name in entries:
            owner = defined.get(name)
            if owner is None:
                continue
            why = offence(floor_of(source), floor_of(owner))
            if why is not None:
                yield f"{source}: calls {owner}: {why} ({name})"


def main():
    build_dir, source_dir = sys.argv[1], sys.argv[2]
    if not any(True for _ in object_files(build_dir, os.path.realpath(source_dir))):
        print("no objects of the core or the windows are built")
        return 1
    return report(sorted(set(offences(build_dir, os.path.realpath(source_dir)))), "call")


if __name__ == "__main__":
    sys.exit(main())
