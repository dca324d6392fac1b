#!/usr/bin/env python3
"""The running program as a screen reader reaches it: over the AT-SPI bus.

  atspi-walk.py walk WINDOW           every control shown in WINDOW has a name
  atspi-walk.py pages WINDOW          the same on each page of WINDOW's tabs, and
                                      the "Toggle" action of "Continuous Reading"
                                      runs its handler (the status panel says On)
  atspi-walk.py announce TEXT SECONDS a change of a name to TEXT is
                                      announced within SECONDS

Exit 0 when it holds, 1 when it does not (saying what), 77 when the program
is not on the bus at all.
"""
import sys
import time

try:
    import pyatspi
except ImportError:
    print("atspi: pyatspi cannot be imported")
    sys.exit(77)

APP = "ORT310 Evaluation Software"
CONTROLS = {
    "push button", "toggle button", "check box", "radio button", "text", "entry", "password text",
    "slider", "dial", "spin button", "progress bar", "status bar", "chart", "list", "page tab",
    "combo box",
}


def application(seconds=10):
    deadline = time.time() + seconds
    while time.time() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == APP:
                return app
        time.sleep(0.2)
    print(f"atspi: no application \"{APP}\" on the bus")
    sys.exit(77)


def window(name, seconds=5):
    deadline = time.time() + seconds
    while time.time() < deadline:
        for w in application():
            if w is not None and w.name == name:
                return w
        time.sleep(0.2)
    print(f"atspi: FAILED: no window \"{name}\"")
    sys.exit(1)


def descendants(node):
    for child in node:
        if child is None:
            continue
        yield child
        yield from descendants(child)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def unnamed(win):
    return [f"{n.getRoleName()} in {n.parent.name or n.parent.getRoleName()}" for n in descendants(win)
            if showing(n) and n.getRoleName() in CONTROLS and not n.name.strip()]


def do_action(node, wanted):
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i).lower() == wanted.lower():
            return action.doAction(i)
    raise RuntimeError(f"{node.getRoleName()} \"{node.name}\" has no action {wanted}")


def find(win, name, roles=None):
    for n in descendants(win):
        if n.name == name and (roles is None or n.getRoleName() in roles):
            return n
    return None


def poll(condition, seconds=5):
    deadline = time.time() + seconds
    while time.time() < deadline:
        if condition():
            return True
        time.sleep(0.1)
    return False


def main():
    mode = sys.argv[1]
    problems = []
    if mode == "walk":
        win = window(sys.argv[2])
        print(f"atspi: {sys.argv[2]}: role {win.getRoleName()}")
        problems += [f"{sys.argv[2]}: unnamed {u}" for u in unnamed(win)]
    elif mode == "pages":
        win = window(sys.argv[2])
        tabs = [n for n in descendants(win) if n.getRoleName() == "page tab"]
        if not tabs:
            problems.append("no page tabs")
        for tab in tabs:
            do_action(tab, "Press")
            time.sleep(0.5)
            found = unnamed(win)
            print(f"atspi: page \"{tab.name}\": {len(found)} unnamed")
            problems += [f"{tab.name}: unnamed {u}" for u in found]
            if tab.name == "Read/Write":
                toggle = find(win, "Continuous Reading", {"toggle button", "check box", "push button"})
                if toggle is None:
                    problems.append("no control named \"Continuous Reading\"")
                    continue
                do_action(toggle, "Toggle")
                if not poll(lambda: find(win, "Continuous Reading is On") is not None):
                    problems.append("the Toggle action of \"Continuous Reading\" did not switch it on")
                do_action(toggle, "Toggle")
                if not poll(lambda: find(win, "Continuous Reading is Off") is not None):
                    problems.append("the Toggle action of \"Continuous Reading\" did not switch it off")
        do_action(tabs[0], "Press")
    elif mode == "announce":
        application()
        text, seconds = sys.argv[2], float(sys.argv[3])
        heard = []

        def listener(event):
            if (event.source.name or "") == text:
                heard.append(event.source.name)
                pyatspi.Registry.stop()

        pyatspi.Registry.registerEventListener(listener, "object:property-change:accessible-name")
        from gi.repository import GLib
        GLib.timeout_add(int(seconds * 1000), lambda: pyatspi.Registry.stop() or False)
        print("atspi: listening", flush=True)
        pyatspi.Registry.start()
        if not heard:
            problems.append(f"no name change to \"{text}\" announced within {seconds} s")
        else:
            print(f"atspi: announced \"{heard[0]}\"")
    for p in problems:
        print(f"atspi: FAILED: {p}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
