#!/usr/bin/python3
"""What a screen reader gets from the desktop program.

Runs the built loftype under the X server and D-Bus session it is started in
(xvfb-run ... dbus-run-session -- screen_reader_test.py LOFTYPE H8), with a window
manager and the accessibility bus, and reads its windows through AT-SPI as a screen
reader does: the names of the text boxes, the Display's name, role, description and
row order, the names of the icons, and where new windows open. It works the program
through AT-SPI too (typing into a box, pressing buttons and menu items), so it needs
no window lookup; every wait has a deadline.
"""
import os
import subprocess
import sys
import time

import pyatspi

DEADLINE = 30  # seconds; the slowest run measured took under 2 s per wait

PROMPTS = [
    "Enter the number of spaces between after each character",
    "Enter the number of blank lines after each line of characters",
    "Width of the page (in small characters)",
]


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def check(condition, message):
    if not condition:
        fail(message)


def wait_for(what, find):
    end = time.monotonic() + DEADLINE
    while True:
        try:
            found = find()
        except Exception:  # the tree changes while it is read: look again
            found = None
        if found:
            return found
        if time.monotonic() > end:
            fail(f"{what} did not appear within {DEADLINE} s")
        time.sleep(0.1)


def descendants(node, role):
    return pyatspi.findAllDescendants(node, lambda each: each.getRole() == role)


def named(node, role, name):
    return pyatspi.findDescendant(
        node, lambda each: each.getRole() == role and each.name == name)


def window(app, role, name):
    return wait_for(f'the window "{name}"', lambda: next(
        (each for each in app if each.getRole() == role and each.name == name
         and each.getState().contains(pyatspi.STATE_SHOWING)), None))


def press(node):
    node.queryAction().doAction(0)


def menu_item(main, *path):
    """The item at the end of a path of menu captions, as a screen reader names them."""
    node = main
    for caption in path:
        node = named(node, pyatspi.ROLE_MENU_ITEM, caption)
        check(node is not None, f'no menu item "{caption}" on the way to {path}')
    return node


def extents(node):
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return (box.x, box.y, box.width, box.height)


def overlap(a, b):
    return a[0] < b[0] + b[2] and b[0] < a[0] + a[2] and a[1] < b[1] + b[3] and b[1] < a[1] + a[3]


def start(command, **options):
    return subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                            **options)


def main():
    loftype, h8 = sys.argv[1], sys.argv[2]
    # The accessibility bus is left to D-Bus, which starts it once for whoever asks
    # first. Started here too, it could be started twice, and the program and this
    # check could each end up on a bus of its own.
    helpers = [start(["openbox"])]
    environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                       ASAN_OPTIONS="detect_leaks=0")
    environment.pop("QT_QPA_PLATFORM", None)
    program = start([loftype], env=environment, cwd=os.environ.get("TMPDIR", "/tmp"))
    try:
        run(program, h8)
    finally:
        if program.poll() is None:
            program.kill()
        for helper in helpers:
            helper.terminate()
    print("a screen reader gets every name, role and row order it needs")


def run(program, h8):
    desktop = pyatspi.Registry.getDesktop(0)
    app = wait_for("loftype on the accessibility bus", lambda: next(
        (each for each in desktop if each is not None
         and each.get_process_id() == program.pid), None))
    main = window(app, pyatspi.ROLE_FRAME, "Input")

    boxes = descendants(main, pyatspi.ROLE_TEXT)
    check([box.name for box in boxes] == ["Enter the line to be enlarged:"],
          f"Main's text box is named {[box.name for box in boxes]}")

    boxes[0].queryEditableText().setTextContents("Hi")
    press(named(main, pyatspi.ROLE_PUSH_BUTTON, "Show"))
    # A top-level window is a "frame" to AT-SPI, as Main is.
    display = window(app, pyatspi.ROLE_FRAME, "Hi")
    check('"Hi"' in display.description and "eight rows" in display.description,
          f'the Display says "{display.description}"')
    rows = descendants(display, pyatspi.ROLE_LABEL)
    texts = [row.name for row in rows]
    band = subprocess.run([h8, "--show", "-q", "Hi"], check=True, capture_output=True,
                          text=True).stdout.replace("\r", "").splitlines()
    check(texts == band, f"the Display's rows read {texts}, not the band top row first {band}")
    tops = [extents(row)[1] for row in rows]
    check(tops == sorted(tops), f"the rows are read in the order {tops} down the window")

    press(menu_item(main, "Options", "Options..."))
    options = window(app, pyatspi.ROLE_DIALOG, "Options...")
    boxes = descendants(options, pyatspi.ROLE_TEXT)
    check(sorted(box.name for box in boxes) == sorted(PROMPTS),
          f"the Options boxes are named {[box.name for box in boxes]}")

    press(menu_item(main, "Info", "About", "Loftype"))
    about = window(app, pyatspi.ROLE_DIALOG, "About Loftype")
    check(named(about, pyatspi.ROLE_IMAGE, "Loftype (h8) icon") is not None,
          "About Loftype's icon has no name")
    press(menu_item(main, "Info", "About", "Orvenna"))
    maker = window(app, pyatspi.ROLE_DIALOG, "About Orvenna Software")
    check(named(maker, pyatspi.ROLE_IMAGE, "Orvenna Software icon") is not None,
          "About Orvenna Software's icon has no name")

    # Windows shown one after another do not open on the same spot, and an error
    # does not cover the boxes it is about.
    press(menu_item(main, "Info", "Info", "General"))
    general = extents(window(app, pyatspi.ROLE_DIALOG, "General"))
    press(menu_item(main, "Info", "Info", "Copy"))
    copy = extents(window(app, pyatspi.ROLE_DIALOG, "Copy"))
    check(general[:2] != copy[:2], f"General {general} and Copy {copy} open on one spot")
    hspaces = named(options, pyatspi.ROLE_TEXT, PROMPTS[0])
    hspaces.queryEditableText().setTextContents("99")
    press(named(options, pyatspi.ROLE_PUSH_BUTTON, "OK"))
    error = extents(window(app, pyatspi.ROLE_DIALOG, "Error 0. S."))
    for box in boxes:
        check(not overlap(error, extents(box)), f"the error {error} covers the box {box.name}")

    exit_item = menu_item(main, "File", "Exit")
    try:
        press(exit_item)
    except Exception:  # the program may end before it answers
        pass
    try:
        status = program.wait(timeout=DEADLINE)
    except subprocess.TimeoutExpired:
        fail("loftype did not end on Exit")
    check(status == 0, f"loftype ended with status {status}")


if __name__ == "__main__":
    main()
