#!/usr/bin/python3
"""Prints the accessibility tree of a running program as a screen reader reads it
over AT-SPI: one line per object, its role, its name in quotes and whom it labels
or is labelled by.

Needs Debian's at-spi2-core and python3-pyatspi, a session bus and the program
started with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1; tools/show-accessibility-tree
sets all of that up around the desktop program.

  accessibility-tree.py [APPLICATION-NAME] [SECONDS-TO-WAIT]
"""

import sys
import time

import pyatspi

RELATIONS = {
    pyatspi.RELATION_LABELLED_BY: "labelled by",
    pyatspi.RELATION_LABEL_FOR: "label for",
}


def describe(node):
    line = f"[{node.getRoleName()}] \"{node.name}\""
    for relation in node.getRelationSet():
        kind = RELATIONS.get(relation.getRelationType())
        if kind is None:
            continue
        targets = [relation.getTarget(i) for i in range(relation.getNTargets())]
        line += f"  ({kind} " + ", ".join(f"\"{t.name}\"" for t in targets) + ")"
    return line


def dump(node, depth=0):
    print("  " * depth + describe(node))
    for child in node:
        if child is not None:
            dump(child, depth + 1)


def find_application(name, seconds):
    deadline = time.monotonic() + seconds
    while True:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == name:
                return app
        if time.monotonic() > deadline:
            return None
        time.sleep(0.2)


def main():
    name = sys.argv[1] if len(sys.argv) > 1 else "korvel"
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 10.0
    app = find_application(name, seconds)
    if app is None:
        print(f"no application \"{name}\" on the accessibility bus", file=sys.stderr)
        return 1
    dump(app)
    return 0


if __name__ == "__main__":
    sys.exit(main())
