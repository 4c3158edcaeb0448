"""What a screen reader sees of the launcher and can do with it, through the
AT-SPI client library that screen readers on Linux use.

    accessibility_check.py FOLDER RECORD

The launcher is opened on FOLDER, named by its argument (games kof98 and a name beyond ASCII, the
stand-in emulator as Neorage.exe, which writes its launches to RECORD).
Prints the accessible tree after a game was chosen; exits non-zero on the
first check that fails.
"""
import os
import sys
import time

import pyatspi
from gi.repository import GLib

folder, record = sys.argv[1], sys.argv[2]
names_changed = []


def check(condition, what):
    print(("ok     " if condition else "FAILED ") + what, flush=True)
    if not condition:
        sys.exit(1)


def wait(condition, seconds=10.0):
    end = time.time() + seconds
    while time.time() < end:
        GLib.MainContext.default().iteration(False)
        value = condition()
        if value:
            return value
        time.sleep(0.05)
    return condition()


def read(get):
    """What `get` reads of an object, or None where the object has gone: a
    message box's objects vanish while a walk is still reading them."""
    try:
        return get()
    except GLib.GError:
        return None


def children(accessible):
    found = []
    for i in range(read(lambda: accessible.childCount) or 0):
        child = read(lambda: accessible.getChildAtIndex(i))
        if child is not None:
            found.append(child)
    return found


def nodes(accessible):
    yield accessible
    for child in children(accessible):
        yield from nodes(child)


def find(root, role, name=None):
    for node in nodes(root):
        if read(node.getRoleName) == role and (name is None or read(lambda: node.name) == name):
            return node
    return None


def labelled_by(accessible):
    return [relation.getTarget(i).name
            for relation in accessible.getRelationSet()
            if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY
            for i in range(relation.getNTargets())]


def act(accessible, action):
    actions = accessible.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    check(action in names, f"{accessible.name!r} offers {action} ({names})")
    actions.doAction(names.index(action))


def showing(accessible):
    return accessible.getState().contains(pyatspi.STATE_SHOWING)


def launches():
    if not os.path.exists(record):
        return []
    return [block for block in open(record, "rb").read().split(b"end\n") if block.strip()]


def answer_alert(app, text):
    alert = wait(lambda: find(app, "alert"))
    check(alert is not None, f"a message box opens as an alert: {text!r}")
    check(any(read(lambda: node.name) == text for node in nodes(alert)), "reading " + repr(text))
    act(find(alert, "push button", "OK"), "Press")
    wait(lambda: find(app, "alert") is None)


def text_of(accessible):
    try:
        return accessible.queryText().getText(0, -1)
    except NotImplementedError:
        return None


def dump(accessible, depth=0):
    text = text_of(accessible)
    line = "  " * depth + f"{accessible.getRoleName()} {accessible.name!r}"
    if text is not None:
        line += f" text={text!r}"
    if labelled_by(accessible):
        line += f" labelled by {labelled_by(accessible)!r}"
    print(line)
    for child in children(accessible):
        dump(child, depth + 1)


def launcher():
    desktop = pyatspi.Registry.getDesktop(0)
    return next((a for a in children(desktop) if read(lambda: a.name) == "varnsel"), None)


app = wait(launcher, 20)
check(app is not None, "the launcher is on the accessibility bus")
pyatspi.Registry.registerEventListener(
    lambda event: names_changed.append(read(lambda: event.source.name)),
    "object:property-change:accessible-name")

window = wait(lambda: find(app, "frame", "Varnsel v0.1 "))
check(window is not None, "the window is a frame named by its title")
check(find(app, "image", "Varnsel illustration") is not None, "the illustration is an image")
directory = find(window, "label", folder)
check(directory is not None, "the directory is read out: " + folder)
check(labelled_by(directory) == ["Current directory:"], "labelled by \"Current directory:\"")
game = find(window, "label", "NONE")
check(game is not None and labelled_by(game) == ["Game Selected:"],
      "the chosen game reads NONE, labelled by \"Game Selected:\"")
games = find(window, "list", "Games in this directory:")
rows = [row.name for row in games]
check(rows == ["kof98", "Ünïcödé"], f"the list's rows: {rows}")

act(find(window, "push button", "CHOSE GAME"), "Press")
answer_alert(app, "You must chose a game first!")

act(games[0], "Toggle")
check(wait(lambda: games[0].getState().contains(pyatspi.STATE_SELECTED)), "kof98 is selected")
act(find(window, "push button", "CHOSE GAME"), "Press")
check(wait(lambda: game.name == "kof98"), "after CHOSE GAME the chosen game reads kof98")
check(wait(lambda: "kof98" in names_changed), "and its new name is announced")
for button in ("CHOSE GAME", "PLAY"):
    description = find(window, "push button", button).description
    check(description == "Game Selected: kof98", f"{button} is described by the game: {description!r}")
check(games.description == "Current directory: " + folder,
      f"the list is described by the directory: {games.description!r}")

box = find(window, "text", "Frame skip value, 1 to 4")
check(box is not None and not showing(box), "the frame-skip box says what to type, hidden")
frame_skip = find(window, "check box", "Frame Skip")
act(frame_skip, "Toggle")
check(wait(lambda: frame_skip.getState().contains(pyatspi.STATE_CHECKED)), "Frame Skip is ticked")
check(wait(lambda: showing(box)), "and its box shows")
check(wait(lambda: box.getState().contains(pyatspi.STATE_FOCUSED)), "with the focus")
box.queryEditableText().setTextContents("2")

act(find(window, "push button", "PLAY"), "Press")
check(wait(lambda: len(launches()) == 1), "PLAY starts the emulator")
arguments = [line.split(b" ", 2)[2].decode() for line in launches()[0].splitlines()
             if line.startswith(b"arg ")]
check(arguments[1:] == ["kof98", "-f2"], f"with the game and the value typed: {arguments[1:]}")

# An action is a click: the focus moves first, so a bad value is reported and
# the action does nothing else.
box.queryComponent().grabFocus()
check(wait(lambda: box.getState().contains(pyatspi.STATE_FOCUSED)), "the box takes the focus back")
box.queryEditableText().setTextContents("9")
act(find(window, "push button", "PLAY"), "Press")
answer_alert(app, "Frame skip value must be a number between 1 and 4!")
check(not wait(lambda: len(launches()) > 1, 1.0), "PLAY pressed with 9 in the box starts nothing")
check(wait(lambda: box.getState().contains(pyatspi.STATE_FOCUSED)), "and the box has the focus")
box.queryEditableText().setTextContents("")
act(frame_skip, "Toggle")
answer_alert(app, "Frame skip value must be a number between 1 and 4!")
check(not wait(lambda: find(app, "alert") is not None, 1.0), "unticking with the box empty reports once")
check(frame_skip.getState().contains(pyatspi.STATE_CHECKED), "and Frame Skip stays ticked")
check(showing(box) and box.getState().contains(pyatspi.STATE_FOCUSED),
      "with its box shown and focused")

print("\nThe accessible tree after the choice:")
dump(window)
