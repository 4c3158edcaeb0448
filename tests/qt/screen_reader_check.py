"""What Orca, the screen reader, says while a user drives the launcher with
the keyboard alone.

    screen_reader_check.py WORK

WORK holds the launcher (varnsel), its games folder with the stand-in
emulator, and speech.txt, where speech-dispatcher writes each utterance on a
line of its own. Every wait is for a phrase, bounded: under load speech lags
the keys by seconds. Exits non-zero on the first check that fails.
"""
import os
import subprocess
import sys
import time

work = sys.argv[1]
games = os.path.join(work, "games")
spoken = os.path.join(work, "speech.txt")
record = os.path.join(work, "launches.log")
heard_before = 0  # what was said before the last action is not its answer


def check(condition, what):
    print(("ok     " if condition else "FAILED ") + what, flush=True)
    if not condition:
        sys.exit(1)


def speech():
    with open(spoken, encoding="utf-8", errors="replace") as f:
        return f.read()


def wait(condition, seconds):
    end = time.time() + seconds
    while time.time() < end:
        if condition():
            return True
        time.sleep(0.05)
    return condition()


def since_last_action():
    return speech()[heard_before:]


def hear(phrase, seconds=15.0):
    """Whether Orca says `phrase` after the last action, within `seconds`."""
    return wait(lambda: phrase in since_last_action(), seconds)


def press(*keys):
    global heard_before
    heard_before = len(speech())
    subprocess.run(["xdotool", "key", "--delay", "150", *keys], check=True)


def type_text(text):
    global heard_before
    heard_before = len(speech())
    subprocess.run(["xdotool", "type", "--delay", "150", text], check=True)


def active_window():
    found = subprocess.run(["xdotool", "getactivewindow", "getwindowname"],
                           capture_output=True, text=True)
    return found.stdout.rstrip("\n") if found.returncode == 0 else None


def dismiss(box):
    """Presses OK on the message box `box`, and waits until the launcher's
    window is active again: keys pressed before then go nowhere."""
    press("Return")
    check(wait(lambda: active_window() == "Varnsel v0.1 ", 15),
          f"Enter closes the {box!r} box, back to the window")


def arguments():
    if not os.path.exists(record):
        return None
    lines = open(record, "rb").read().split(b"end\n")[0].splitlines()
    return [line.split(b" ", 2)[2].decode() for line in lines if line.startswith(b"arg ")]


check(hear("Screen reader on", 60), "Orca is running")
heard_before = len(speech())
launcher = subprocess.Popen([os.path.join(work, "varnsel"), games], cwd=work)
check(hear("Varnsel v0.1", 30), "the title is said when the window opens")

press("Tab")
check(hear("Games in this directory"), "Tab into the list says its name")
check(hear("kof98"), "and its current entry")
check(hear("Current directory: " + games), "and the directory it lists")

press("Tab", "space")
check(hear("You must chose a game first!"), "CHOSE GAME with nothing selected says why")
dismiss("Error")

press("shift+Tab", "Down")
check(hear("Metal Slug"), "Down in the list says the next entry")
press("Tab")
check(hear("CHOSE GAME"), "Tab to CHOSE GAME says it")
started = time.time()
press("space")
check(hear("Metal Slug", 3.0), "CHOSE GAME says the chosen game within 3 s")
print(f"       after {time.time() - started:.2f} s", flush=True)

press("Tab")
check(hear("Game Selected: Metal Slug"), "Tab to PLAY says which game it plays")

press("Tab", "Tab", "Tab", "space")
check(hear("Frame skip value, 1 to 4"), "ticking Frame Skip says the box's name")
type_text("9")
press("Return")
check(hear("Frame skip value must be a number between 1 and 4!"), "Enter with 9 says the report")
dismiss("Frame skip value error")

# After Enter the box keeps the focus and its text as it was: the 9 goes by hand.
press("BackSpace")
type_text("2")
press("Tab")
check(hear("Joystick"), "a good value lets the focus go")
press("shift+Tab")
check(hear("2"), "coming back to the box says its value")
check(hear("selected"), "and that it is selected")

press(*["shift+Tab"] * 7)
check(hear("PLAY"), "Shift+Tab back to PLAY")
press("space")
check(wait(lambda: arguments() is not None, 10), "PLAY starts the emulator")
check(arguments()[1:] == ["Metal Slug", "-f2"], f"with the game and the value: {arguments()[1:]}")

launcher.terminate()
launcher.wait(10)
