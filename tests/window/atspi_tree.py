"""The window's screen-reader tree as the real program shows it on an X
display, read over AT-SPI: the role and name of every control, before and
after an entry is chosen through the tree itself.

Run on a private session bus, with Debian's Python (for its pyatspi):
  dbus-run-session -- /usr/bin/python3 atspi_tree.py PROGRAM FORM_TABLE CATALOGUE_TABLE
The two tables are the tests' own: form1_table.h (the controls) and
catalogue_table.h (the list's entries).
"""
import os
import re
import signal
import subprocess
import sys
import time

import pyatspi

# The role a screen reader hears for each kind of control in form1_table.h.
ROLES = {"Frame": "panel", "Option": "radio button", "List": "list", "Label": "label", "TextBox": "text",
         "Command": "push button"}
CONTROL = re.compile(r'\{"(\w+)", Kind::(\w+),[^{}]*?u"([^"]*)", u"[^"]*",\s*u"([^"]*)"\}')


def until(what, get, want):
    """Polls the tree for up to 5 s until get() gives want, the cache dropped each time."""
    end = time.monotonic() + 5
    while True:
        app.clearCache()
        got = get()
        if got == want or time.monotonic() > end:
            break
        time.sleep(0.02)
    if got != want:
        sys.exit(f"atspi_tree: {what}: {got!r}, not {want!r}")


def flat(node):
    """(role, name) of every control below node in reading order, list entries left out."""
    out = []
    for child in node:
        out.append((child.getRoleName(), child.name))
        if child.getRoleName() != "list":
            out += flat(child)
    return out


def do(node, action):
    act = node.queryAction()
    names = [act.getName(i) for i in range(act.nActions)]
    if action not in names:
        sys.exit(f"atspi_tree: {node.name} offers {names}, not {action}")
    act.doAction(names.index(action))


program, form_table, catalogue_table = sys.argv[1:]
with open(form_table, encoding="utf-8") as f:
    rows = CONTROL.findall(f.read())
with open(catalogue_table, encoding="utf-8") as f:
    catalogue = f.read()
distance, temperature = (re.findall(r'u"([^"]*)"', re.search(rf"Category::{c},\s*\{{(.*?)\}}", catalogue, re.S)[1])
                         for c in ("Distance", "Temperature"))
if len(rows) != 16 or len(distance) != 6 or len(temperature) != 6:
    sys.exit("atspi_tree: the tables no longer read as 16 controls and 6 entries a category")
expected = [(ROLES[kind], caption or name) for _, kind, caption, name in rows]

signal.signal(signal.SIGTERM, lambda *_: sys.exit("atspi_tree: stopped"))
started = []
try:
    # Xvfb picks a free display and writes its number on the pipe.
    read_end, write_end = os.pipe()
    started.append(subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-nolisten", "tcp"],
                                    pass_fds=(write_end,)))
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        display = pipe.readline().strip()
    env = dict(os.environ, DISPLAY=f":{display}", QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    started.append(subprocess.Popen([program], env=env))

    app = None
    end = time.monotonic() + 10
    while app is None and time.monotonic() < end and started[1].poll() is None:
        app = next((a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name == "Mensora"), None)
        time.sleep(0.02)
    if app is None:
        sys.exit("atspi_tree: the program never showed in the tree")

    window = app[0]
    until("the controls' roles and names", lambda: flat(window), expected)
    options = pyatspi.findAllDescendants(window, lambda n: n.getRoleName() == "radio button")
    conversions = pyatspi.findDescendant(window, lambda n: n.getRoleName() == "list")
    labels = pyatspi.findAllDescendants(window, lambda n: n.getRoleName() in ("label", "text"))

    def checked():
        return [o.name for o in options if o.getState().contains(pyatspi.STATE_CHECKED)]

    until("the options checked at start", checked, ["Distance"])
    until("the entries listed at start", lambda: [e.name for e in conversions], distance)
    do(next(o for o in options if o.name == "Temperature"), "Toggle")
    until("the options checked", checked, ["Temperature"])
    until("the entries listed", lambda: [e.name for e in conversions], temperature)

    # An entry chosen through the tree names the labels and boxes by its units.
    source, target = temperature[1].split(" to ")
    do(conversions[1], "Toggle")
    until("the entries chosen", lambda: [e.getState().contains(pyatspi.STATE_SELECTED) for e in conversions],
          [i == 1 for i in range(len(temperature))])
    until("the labels' and boxes' names", lambda: [n.name for n in labels], [source, source, target, target])

    do(pyatspi.findDescendant(window, lambda n: n.name == "Exit"), "Press")
    if started[1].wait(timeout=5) != 0:
        sys.exit(f"atspi_tree: the program ended with {started[1].returncode}")
finally:
    for process in reversed(started):
        process.terminate()
        try:
            process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
