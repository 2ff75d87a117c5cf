"""Loads a DXF file with ezdxf's recovering loader and prints the entities of its ENTITIES
section counted by type (from the raw tags, as older releases may be upgraded on loading) and
the number of errors the audit found; with --texts before the file, the plain text of every
MTEXT instead, one a line, as ezdxf reads it; with --polylines, the vertices of every POLYLINE,
one polyline a line. Exits non-zero when the file cannot be loaded."""

import sys
from collections import Counter

from ezdxf import recover
from ezdxf.lldxf.tagger import ascii_tags_loader


def entity_counts(path):
    with open(path, "rt", encoding="cp1252") as stream:
        tags = list(ascii_tags_loader(stream))
    counts = Counter()
    in_entities = False
    for index, tag in enumerate(tags):
        if tag.code == 2 and tag.value == "ENTITIES":
            in_entities = True
        elif tag.code == 0 and tag.value == "ENDSEC":
            in_entities = False
        elif in_entities and tag.code == 0 and tag.value not in ("VERTEX", "SEQEND"):
            counts[tag.value] += 1
    return counts


def print_texts(doc):
    sys.stdout.reconfigure(encoding="utf-8")
    for mtext in doc.modelspace().query("MTEXT"):
        print(mtext.plain_text())


def print_polylines(doc):
    for polyline in doc.modelspace().query("POLYLINE"):
        print(" ".join(f"{x:g},{y:g}" for x, y, *_ in polyline.points()))


def main():
    option = sys.argv[1]
    path = sys.argv[-1]
    doc, auditor = recover.readfile(path)
    if option == "--texts":
        print_texts(doc)
        return 0
    if option == "--polylines":
        print_polylines(doc)
        return 0
    audit = doc.audit()
    for name, count in sorted(entity_counts(path).items()):
        print(name, count)
    print("audit errors", len(auditor.errors) + len(audit.errors))
    return 0


if __name__ == "__main__":
    sys.exit(main())
