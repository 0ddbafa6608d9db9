#!/usr/bin/python3
# Starts the gallery and reads its window over the accessibility bus, as a screen reader would:
# every visual component must be there with its role, name and, for the progress bars, value.
# Prints the tree it saw. Exits 77 (skipped) when pyatspi or the accessibility bus is missing.
import subprocess
import sys
import time

SKIP = 77
try:
    import pyatspi
except ImportError:
    print("gallery-over-atspi: python3-pyatspi is not installed; skipped")
    sys.exit(SKIP)


def find_application(pid, seconds=20):
    """The gallery's application node once its window is on the bus, or None."""
    deadline = time.time() + seconds
    while time.time() < deadline:
        try:
            for app in pyatspi.Registry.getDesktop(0):
                if app is not None and app.get_process_id() == pid and app.childCount > 0:
                    return app
        except Exception:  # the registry may still be starting
            pass
        time.sleep(0.2)
    return None


def walk(node, depth=0, seen=None):
    """(role, name, value) of every node below node, printed as an indented tree."""
    seen = [] if seen is None else seen
    try:
        value = node.queryValue().currentValue
    except NotImplementedError:
        value = None
    print("  " * depth + f"{node.getRoleName()} | {node.name!r}" + ("" if value is None else f" | {value}"))
    seen.append((node.getRoleName(), node.name, value))
    if depth < 16:
        for child in node:
            if child is not None:
                walk(child, depth + 1, seen)
    return seen


def main():
    gallery = subprocess.Popen(sys.argv[1:])
    try:
        app = find_application(gallery.pid)
        if app is None:
            print("gallery-over-atspi: the gallery never appeared on the accessibility bus "
                  "(is at-spi2-core running and switched on? see tests/with-atspi); skipped")
            return SKIP
        time.sleep(1)  # the window's contents are built after it is mapped
        seen = walk(app)
    finally:
        gallery.terminate()
        gallery.wait()
    wanted = [("progress bar", None), ("chart", "Plot"), ("image", "Picture"), ("push button", "Colour button"),
              (None, "Colour scale")]
    missing = [w for w in wanted if not any((w[0] is None or role == w[0]) and (w[1] is None or name == w[1])
                                            for role, name, _ in seen)]
    bars = [value for role, _, value in seen if role == "progress bar"]
    if missing or len(bars) < 3 or any(value is None for value in bars):
        print(f"gallery-over-atspi: missing {missing}, progress values {bars}")
        return 1
    return 0


sys.exit(main())
