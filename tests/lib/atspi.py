#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads the running velmora as a screen reader does, over the accessibility bus (AT-SPI).

    atspi.py find [--role ROLE] NAME   the screen extents "x y w h" of the first object on screen
                                       with that accessible name (and role, e.g. "toggle button")
    atspi.py tree                      every object on screen, one a line, indented by depth:
                                       role<TAB>name<TAB>states (checked, focused, focusable, ...)
    atspi.py focused                   role<TAB>name of the object that has the keyboard focus

Options before the command: --pid PID (only that velmora), --timeout SECONDS (5 unless told).
Only objects on screen count: a hidden panel keeps its widgets. Exits 1, saying what it saw,
when nothing fits within the time-out.
"""
import argparse
import sys
import time

import pyatspi
from gi.repository import Atspi

APPLICATION = "velmora"
# Debian 13's AT-SPI calls a push button "button"; the scripts see Debian 12's name on either.
ROLE_NAMES = {"button": "push button"}
STATES = {
    pyatspi.STATE_CHECKED: "checked",
    pyatspi.STATE_FOCUSED: "focused",
    pyatspi.STATE_FOCUSABLE: "focusable",
    pyatspi.STATE_CHECKABLE: "checkable",
    pyatspi.STATE_ENABLED: "enabled",
    pyatspi.STATE_PRESSED: "pressed",
}


def applications(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    desktop.clear_cache()
    for app in desktop:
        if app is None:
            continue
        try:
            if app.name.lower() != APPLICATION:
                continue
            if pid is not None and app.get_process_id() != pid:
                continue
            # What a screen reader would hear now, not what an earlier look cached.
            app.clear_cache()
        except Exception:  # an application that went away while we asked
            continue
        yield app


def role_of(accessible):
    role = accessible.getRoleName()
    return ROLE_NAMES.get(role, role)


def showing(accessible):
    return accessible.getState().contains(pyatspi.STATE_SHOWING)


def walk(root):
    """Depth first, in the order the application lists its children: (depth, accessible)."""
    stack = [(0, root)]
    while stack:
        depth, accessible = stack.pop()
        try:
            children = [accessible.getChildAtIndex(i) for i in range(accessible.childCount)]
        except Exception:  # a widget that was deleted while we walked the tree
            continue
        yield depth, accessible
        stack.extend((depth + 1, child) for child in reversed(children) if child is not None)


def extents_of(accessible):
    extents = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    if extents.width <= 0 or extents.height <= 0:
        return None
    return f"{extents.x} {extents.y} {extents.width} {extents.height}"


def find(app, args, seen):
    for _, accessible in walk(app):
        try:
            name, role = accessible.name, role_of(accessible)
            seen.add(f"{role} {name!r}")
            wanted = ROLE_NAMES.get(args.role, args.role)
            if name == args.name and (wanted is None or role == wanted) and showing(accessible):
                extents = extents_of(accessible)
                if extents:
                    return extents
        except Exception:
            continue
    return None


def line_of(accessible):
    states = accessible.getState()
    names = [word for state, word in STATES.items() if states.contains(state)]
    return f"{role_of(accessible)}\t{accessible.name}\t{','.join(names)}"


def tree(app, args, seen):
    lines = []
    for depth, accessible in walk(app):
        try:
            if depth > 0 and not showing(accessible):
                continue
            lines.append("  " * depth + line_of(accessible))
        except Exception:
            continue
    return "\n".join(lines) if len(lines) > 2 else None


def focused(app, args, seen):
    for _, accessible in walk(app):
        try:
            if accessible.getState().contains(pyatspi.STATE_FOCUSED):
                return f"{role_of(accessible)}\t{accessible.name}"
        except Exception:
            continue
    return None


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--pid", type=int, help="only the velmora with this process id")
    parser.add_argument("--timeout", type=float, default=5.0)
    commands = parser.add_subparsers(dest="command", required=True)
    find_parser = commands.add_parser("find")
    find_parser.add_argument("--role")
    find_parser.add_argument("name")
    commands.add_parser("tree")
    commands.add_parser("focused")
    args = parser.parse_args()
    run = {"find": find, "tree": tree, "focused": focused}[args.command]

    # A busy or stopped application must not hold us for D-Bus's default 25 seconds.
    Atspi.set_timeout(1000, 3000)
    deadline = time.monotonic() + args.timeout
    seen = set()
    found_application = False
    while True:
        for app in applications(args.pid):
            found_application = True
            result = run(app, args, seen)
            if result is not None:
                print(result)
                return 0
        if time.monotonic() >= deadline:
            break
        time.sleep(0.1)

    which = APPLICATION if args.pid is None else f"{APPLICATION} (pid {args.pid})"
    if not found_application:
        print(f"atspi: no {which} on the accessibility bus within {args.timeout:g} s", file=sys.stderr)
    elif args.command == "find":
        print(f"atspi: {which} shows nothing named {args.name!r} within {args.timeout:g} s;"
              f" seen: {', '.join(sorted(seen)) or 'nothing'}", file=sys.stderr)
    else:
        print(f"atspi: {which} gave no answer to {args.command!r} within {args.timeout:g} s",
              file=sys.stderr)
    return 1


if __name__ == "__main__":
    sys.exit(main())
