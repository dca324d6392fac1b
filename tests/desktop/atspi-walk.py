#!/usr/bin/env python3
"""The running program as a screen reader reaches it, over the AT-SPI bus.

  atspi-walk.py walk WINDOW        no unnamed control shown in WINDOW, on each of
                                   its pages; Toggle on "Continuous Reading" runs it
  atspi-walk.py announce TEXT SEC  a name changes to TEXT within SEC seconds

Exit 0 when it holds, 1 when not (saying what), 77 when it cannot look.
"""
import sys
import time

try:
    import pyatspi
except ImportError:
    sys.exit(77)

CONTROLS = {"push button", "toggle button", "check box", "radio button", "text", "entry", "slider", "dial",
            "spin button", "progress bar", "status bar", "chart", "list", "page tab", "combo box"}


def poll(get, seconds=5):
    deadline = time.time() + seconds
    while time.time() < deadline:
        found = get()
        if found:
            return found
        time.sleep(0.2)
    return None


def application():
    app = poll(lambda: next((a for a in pyatspi.Registry.getDesktop(0)
                             if a is not None and a.name == "ORT310 Evaluation Software"), None))
    if app is None:
        print("atspi: the program is not on the bus")
        sys.exit(77)
    return app


def descendants(node):
    for child in node:
        if child is not None:
            yield child
            yield from descendants(child)


def find(win, name, roles=CONTROLS):
    return next((n for n in descendants(win) if n.name == name and n.getRoleName() in roles), None)


def act(node, wanted):
    action = node.queryAction()
    names = [action.getName(i).lower() for i in range(action.nActions)]
    action.doAction(names.index(wanted))


def unnamed(win, page):
    return [f"{page}: unnamed {n.getRoleName()} in \"{n.parent.name}\"" for n in descendants(win)
            if n.getState().contains(pyatspi.STATE_SHOWING) and n.getRoleName() in CONTROLS and not n.name.strip()]


def walk(name):
    app = application()
    win = poll(lambda: next((w for w in app if w is not None and w.name == name), None))
    if win is None:
        return [f"no window \"{name}\""]
    print(f"atspi: \"{name}\" is a {win.getRoleName()}")
    tabs = [n for n in descendants(win) if n.getRoleName() == "page tab"]
    problems = [] if tabs else unnamed(win, name)
    for tab in tabs:
        act(tab, "press")
        time.sleep(0.5)
        problems += unnamed(win, tab.name)
        toggle = find(win, "Continuous Reading") if tab.name == "Read/Write" else None
        if toggle is not None:
            for state in ("On", "Off"):
                act(toggle, "toggle")
                if not poll(lambda: find(win, f"Continuous Reading is {state}", {"label", "status bar"})):
                    problems.append(f"Toggle on \"Continuous Reading\" did not switch it {state}")
    if tabs:
        act(tabs[0], "press")
    return problems


def announce(text, seconds):
    application()
    heard = []

    def listener(event):
        if event.source.name == text:
            heard.append(text)
            pyatspi.Registry.stop()

    pyatspi.Registry.registerEventListener(listener, "object:property-change:accessible-name")
    from gi.repository import GLib
    GLib.timeout_add(int(seconds * 1000), lambda: pyatspi.Registry.stop() or False)
    print("atspi: listening", flush=True)
    pyatspi.Registry.start()
    print(f"atspi: \"{text}\" announced" if heard else "", end="")
    return [] if heard else [f"no name change to \"{text}\" within {seconds} s"]


problems = walk(sys.argv[2]) if sys.argv[1] == "walk" else announce(sys.argv[2], float(sys.argv[3]))
for p in problems:
    print(f"atspi: FAILED: {p}")
sys.exit(1 if problems else 0)
