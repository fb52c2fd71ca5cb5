#!/usr/bin/python3
"""Prints the screen extents "x y w h" of the first control of the running velmora whose
accessible name is NAME, as the accessibility bus reports it to screen readers.

    atspi_find.py [--pid PID] [--timeout SECONDS] NAME

Only controls on screen count: a hidden panel keeps its widgets, and their places would point
at whatever lies under them. Exits 1 with the names it did see when NAME does not show up
within the time-out (5 s unless told).
"""
import argparse
import sys
import time

import pyatspi
from gi.repository import Atspi

APPLICATION = "velmora"


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
        except Exception:  # an application that went away while we asked
            continue
        yield app


def on_screen_extents(accessible):
    if not accessible.getState().contains(pyatspi.STATE_SHOWING):
        return None
    extents = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    if extents.width <= 0 or extents.height <= 0:
        return None
    return extents


def find(root, name, seen):
    """Depth first, in the order the application lists its children."""
    stack = [root]
    while stack:
        accessible = stack.pop()
        try:
            if accessible.name:
                seen.add(accessible.name)
            if accessible.name == name:
                extents = on_screen_extents(accessible)
                if extents is not None:
                    return extents
            children = [accessible.getChildAtIndex(i) for i in range(accessible.childCount)]
        except Exception:  # a widget that was deleted while we walked the tree
            continue
        stack.extend(child for child in reversed(children) if child is not None)
    return None


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("name")
    parser.add_argument("--pid", type=int, help="only the velmora with this process id")
    parser.add_argument("--timeout", type=float, default=5.0)
    args = parser.parse_args()

    # A busy or stopped application must not hold us for D-Bus's default 25 seconds.
    Atspi.set_timeout(1000, 3000)
    deadline = time.monotonic() + args.timeout
    seen = set()
    found_application = False
    while True:
        for app in applications(args.pid):
            found_application = True
            extents = find(app, args.name, seen)
            if extents is not None:
                print(extents.x, extents.y, extents.width, extents.height)
                return 0
        if time.monotonic() >= deadline:
            break
        time.sleep(0.1)

    which = APPLICATION if args.pid is None else f"{APPLICATION} (pid {args.pid})"
    if not found_application:
        print(f"atspi_find: no {which} on the accessibility bus within {args.timeout:g} s",
              file=sys.stderr)
    else:
        names = ", ".join(sorted(seen)) or "none"
        print(f"atspi_find: {which} shows nothing named {args.name!r} within {args.timeout:g} s;"
              f" names seen: {names}", file=sys.stderr)
    return 1


if __name__ == "__main__":
    sys.exit(main())
