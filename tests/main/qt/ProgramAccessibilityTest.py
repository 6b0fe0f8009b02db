"""The built program as a screen reader meets it: a client of the
accessibility bus (AT-SPI, the interface Orca reads) walks the running
dialog on an X server of its own, while the keyboard moves through it.

Run inside a D-Bus session of its own (dbus-run-session), whose bus starts
the accessibility bus on demand, with the program and the simulated device
library: python3 ProgramAccessibilityTest.py PROGRAM DEVICE_LIBRARY
"""
import os
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

PROGRAM, DEVICE_LIBRARY = sys.argv[1:3]


def wait_for(what, condition, seconds=30):
    """condition's first true answer, events of the bus delivered meanwhile."""
    deadline = time.monotonic() + seconds
    while True:
        while GLib.MainContext.default().iteration(False):
            pass
        answer = condition()
        if answer:
            return answer
        if time.monotonic() > deadline:
            raise AssertionError("gave up waiting for " + what)
        time.sleep(0.05)


def walk(accessible):
    yield accessible
    for index in range(accessible.childCount):
        child = accessible.getChildAtIndex(index)
        if child is not None:
            yield from walk(child)


def states(accessible):
    return {pyatspi.stateToString(state) for state in accessible.getState().getStates()}


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def start_x_server():
    read_end, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                               "1024x768x24", "-nolisten", "tcp"], pass_fds=(write_end,),
                              stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as display:
        return server, ":" + display.readline().strip()


def key(display, *keys):
    """The keys pressed in the dialog, through the X server's test extension."""
    environment = dict(os.environ, DISPLAY=display)
    subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name",
                    "^Quorvanta Tweaker", "windowfocus", "--sync"], env=environment, check=True)
    subprocess.run(["xdotool", "key", *keys], env=environment, check=True)


def main():
    server, display = start_x_server()
    folder = tempfile.TemporaryDirectory()
    # A device that answers at once, with its options at their defaults.
    os.mkdir(os.path.join(folder.name, "device"))
    program = subprocess.Popen(
        [PROGRAM, "/AdvancedOptions"],
        env=dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb",
                 QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                 ZQT_REGISTRY_FILE=os.path.join(folder.name, "registry.db"),
                 ZQT_RAPI_LIBRARY=DEVICE_LIBRARY,
                 ZQT_DEVICE_FOLDER=os.path.join(folder.name, "device")))
    try:
        application = wait_for("the program on the accessibility bus", lambda: next(
            (a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name == "ZQTTweaker"),
            None))
        checked_events = []
        pyatspi.Registry.registerEventListener(
            lambda event: checked_events.append((event.source.name, event.detail1)),
            "object:state-changed:checked")

        # The tree has the focus; the troubleshooting page is six rows down.
        key(display, *["Down"] * 6)
        grid = wait_for("the troubleshooting page's option list", lambda: next(
            (a for a in walk(application)
             if a.getRoleName() == "table" and "showing" in states(a)), None))
        tree = next(a for a in walk(application) if a.getRoleName() == "tree")
        check(tree.name == "Option pages", "the tree is named: " + repr(tree.name))
        check(grid.name == "Options", "the option list is named: " + repr(grid.name))

        table = grid.queryTable()
        rows = [(table.getAccessibleAt(row, 0), table.getAccessibleAt(row, 1))
                for row in range(table.nRows)]
        check(table.nColumns == 2 and len(rows) == 12, "the rows of the troubleshooting page")
        boxes = [value for caption, value in rows if value.getRoleName() == "check box"]
        check(len(boxes) == 11, "yes/no options are check boxes, checked or not")
        for caption, value in rows:
            check(value.name == caption.name, "a value cell is named by its option: "
                  + repr(value.name) + " for " + repr(caption.name))
            if value.getRoleName() == "check box":
                check("checked" not in states(value), caption.name + " starts unchecked")
            else:
                check(value.queryValue().currentValue == 90,
                      "a number tells its value: " + repr(value.queryValue().currentValue))
            check(caption.description and value.description == caption.description,
                  "the cells tell the option's description")

        # Tab focuses the list's first row; Space ticks its check box.
        key(display, "Tab")
        first_caption, first_box = rows[0]
        wait_for("the first row focused", lambda: "focused" in states(first_box))
        description = next(a for a in walk(grid.parent)
                           if a.getRoleName() == "label" and a.parent.name == "Option description")
        wait_for("the description of the focused option",
                 lambda: description.name == first_caption.description)
        key(display, "space")
        wait_for("the tick heard", lambda: (first_caption.name, 1) in checked_events)
        check("checked" in states(first_box), "the ticked box is checked")

        unnamed = [a.getRoleName() for a in walk(application)
                   if not a.name and a.getRoleName() != "filler"
                   and ("focusable" in states(a) or a.getRoleName() in ("label", "panel"))]
        check(not unnamed, "every control is named; not: " + ", ".join(unnamed))

        key(display, "Escape")
        check(program.wait(timeout=30) == 0, "the program ends as Escape closes its dialog")
    finally:
        if program.poll() is None:
            program.kill()
        server.terminate()
        server.wait()
    print("The dialog reads as it shows, through the accessibility bus")


if __name__ == "__main__":
    main()
