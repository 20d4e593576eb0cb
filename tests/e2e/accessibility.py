"""Plays Tempiolo through its accessibility tree only: press actions on
buttons found by role and name, counts read back from the labels."""

import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

MONTHS = ["GENNAIO", "FEBBRAIO", "MARZO", "APRILE", "MAGGIO", "GIUGNO", "LUGLIO",
          "AGOSTO", "SETTEMBRE", "OTTOBRE", "NOVEMBRE", "DICEMBRE"]
failures = 0
renamed = []


def check(what, ok):
    global failures
    print(("ok: " if ok else "FAIL: ") + what, flush=True)
    failures += 0 if ok else 1
    return ok


def pump(seconds=0.15):
    """Lets the program and the bus deliver what they have to say."""
    context = GLib.MainContext.default()
    end = time.time() + seconds
    while True:
        while context.pending():
            context.iteration(False)
        if time.time() >= end:
            return
        time.sleep(0.02)


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Tempiolo":
            return app
    return None


def everything(root):
    found = []
    for child in root:
        if child is not None:
            found.append(child)
            found.extend(everything(child))
    return found


def showing(accessible):
    states = accessible.getState()
    return states.contains(pyatspi.STATE_SHOWING) and states.contains(pyatspi.STATE_SENSITIVE)


def buttons(test):
    app = application()
    if app is None:
        return []
    return [a for a in everything(app)
            if a.getRole() == pyatspi.ROLE_PUSH_BUTTON and showing(a) and test(a.name)]


def wait_for(test, count=1, timeout=10):
    end = time.time() + timeout
    while time.time() < end:
        found = buttons(test)
        if len(found) >= count:
            return found
        pump(0.1)
    return []


def press(accessible):
    action = accessible.queryAction()
    for i in range(action.nActions):
        if action.getName(i) == "Press":
            action.doAction(i)
            pump()
            return
    check(f"'{accessible.name}' has a Press action", False)


def label(prefix):
    app = application()
    for a in everything(app):
        if a.getRole() == pyatspi.ROLE_LABEL and a.name.startswith(prefix):
            return a.name
    return ""


def places():
    """The places by number, as the tree names them: {1: 'vuoto', ...}."""
    named = {}
    for place in buttons(lambda name: name.startswith("posto ")):
        number, _, shown = place.name[len("posto "):].partition(": ")
        named[int(number)] = (shown, place)
    return named


def place(number):
    return places()[number][1]


def start(exercise):
    program = subprocess.Popen([sys.argv[1]], stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, env=os.environ)
    avvio = wait_for(lambda name: name == "Avvio")
    if not check("the start screen shows the button Avvio", bool(avvio)):
        return program
    press(avvio[0])
    choice = wait_for(lambda name: name == exercise)
    if check(f"the menu shows the button {exercise}", bool(choice)):
        press(choice[0])
    return program


def stop(program):
    program.terminate()
    program.wait(10)
    pump(0.3)


def on_rename(event):
    if event.source is not None and event.source.name.startswith(("posto ", "Esatti:", "Errati:")):
        renamed.append(event.source.name)


def play_ordering():
    program = start("Riordina i mesi (1)")
    check("twelve places, numbered 1 to 12, all empty",
          len(wait_for(lambda name: name.startswith("posto "), 12)) == 12
          and all(shown == "vuoto" for shown, _ in places().values()))
    cards = buttons(lambda name: name in MONTHS)
    check("twelve month cards", sorted(c.name for c in cards) == sorted(MONTHS))
    # One wrong answer first: GENNAIO on the second place.
    first = [c for c in cards if c.name == "GENNAIO"][0]
    press(first)
    press(place(2))
    check("a wrong place leaves it empty", places()[2][0] == "vuoto")
    check("Errati: 1 after the wrong place", label("Errati:") == "Errati: 1")
    for month in MONTHS:
        card = buttons(lambda name, month=month: name == month)
        if not check(f"the card {month} can be pressed", bool(card)):
            break
        number = MONTHS.index(month) + 1
        press(card[0])
        press(place(number))
        check(f"place {number} reads {month}", places()[number][0] == month)
    check("no card is left", not buttons(lambda name: name in MONTHS))
    check("Esatti: 12 at the end of the round", label("Esatti:") == "Esatti: 12")
    check("the places told of their new names",
          len({name for name in renamed if name.startswith("posto ")}) >= 12)
    check("the counts told of theirs", "Esatti: 12" in renamed and "Errati: 1" in renamed)
    stop(program)


def play_cycle():
    program = start("Ciclo dei mesi")
    ring = wait_for(lambda name: name.startswith("posto "), 12)
    check("twelve places on the ring", len(ring) == 12)
    given = [n for n, (shown, _) in places().items() if shown == "GENNAIO"]
    if not check("GENNAIO is on one place of the ring", len(given) == 1):
        return stop(program)
    for step in range(11):
        card = buttons(lambda name: name in MONTHS)
        if not check(f"one card is shown (step {step + 1})", len(card) == 1):
            break
        month = card[0].name
        number = (given[0] - 1 + MONTHS.index(month)) % 12 + 1
        press(card[0])
        press(place(number))
        check(f"{month} lands on place {number}", places()[number][0] == month)
    check("Esatti: 11 at the end of the round", label("Esatti:") == "Esatti: 11")
    check("Errati: 0", label("Errati:") == "Errati: 0")
    avanti = buttons(lambda name: name == "avanti")
    check("avanti can be pressed", bool(avanti))
    stop(program)


pyatspi.Registry.registerEventListener(on_rename, "object:property-change:accessible-name")
play_ordering()
play_cycle()
print("all checks passed" if failures == 0 else f"{failures} check(s) failed")
sys.exit(1 if failures else 0)
