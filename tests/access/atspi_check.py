#!/usr/bin/python3
"""The window as a screen reader sees it, over AT-SPI, and used by keys alone.

Starts the window (the program given as the first argument) on the session's
accessibility bus, then checks that every control has a name, that tape,
output, program and slider carry theirs, and that the tape's text is readable
through its text interface after F8 (Anfangszustand) and F7, with the head
cell as the selection. Then, with a program file with test cases (the second
argument) and xdotool keys alone: F3, Ctrl+T, a case chosen with the arrows
and put on the tape with Enter, a step, Ctrl+Shift+S into a new file, and a
state added in the diagram (F4, Ctrl+B, N), which is heard.
Run under Xvfb and dbus-run-session, with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
(tests/access/run.sh does).
"""
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

CONTROLS = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON,
    pyatspi.ROLE_TEXT, pyatspi.ROLE_SLIDER, pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_SPIN_BUTTON,
    pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_MENU, pyatspi.ROLE_CHECK_MENU_ITEM, pyatspi.ROLE_PAGE_TAB,
}


def start(args, failures):
    """The window and its accessible application; once more if it ended at once
    (a display that was not ready yet)."""
    for attempt in range(2):
        window = subprocess.Popen(args)
        app = find_app("automaten", window)
        if app is not None:
            return window, app
        end(window)
    failures.append("the window did not appear on the accessibility bus")
    return None, None


def find_app(name, window, seconds=20):
    end = time.time() + seconds
    while time.time() < end and window.poll() is None:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name.lower() == name:
                return app
        time.sleep(0.25)
    return None


def walk(node, depth=0):
    yield node, depth
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, depth + 1)


def by_name(app, role, name):
    for node, _ in walk(app):
        if node.getRole() == role and node.name == name:
            return node
    return None


def pump(seconds):
    """Lets the accessibility events that came in reach their listeners."""
    end = time.time() + seconds
    context = GLib.MainContext.default()
    while time.time() < end:
        while context.iteration(False):
            pass
        time.sleep(0.02)


def key(window, keys):
    subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
    subprocess.run(["xdotool", "key", *keys], check=True)
    pump(0.5)


def names_and_tape(program, failures):
    window, app = start([program], failures)
    if window is None:
        return
    try:
        time.sleep(1.5)  # the first layout restores the settings
        check_names(app, "the window", failures)

        tape = by_name(app, pyatspi.ROLE_TEXT, "Band")
        if by_name(app, pyatspi.ROLE_TEXT, "Programm") is None:
            failures.append("no text named Programm")
        slider = by_name(app, pyatspi.ROLE_SLIDER, "Frequenz")
        if slider is None or not slider.description.endswith("Hz"):
            failures.append("no slider named Frequenz that says its frequency")
        if tape is None:
            failures.append("no text named Band")
        else:
            window_id = window_of()
            key(window_id, ["F8"])
            text = tape.queryText()
            cells = text.getText(0, -1)
            if not cells.startswith("sskkss"):
                failures.append(f"the tape reads {cells!r} after F8")
            heads = [text.getSelection(0) if text.getNSelections() == 1 else None]
            key(window_id, ["F7"])
            heads.append(text.getSelection(0) if text.getNSelections() == 1 else None)
            if heads != [(0, 1), (1, 2)]:
                failures.append(f"the head cell is not the selection after F8 and F7: {heads}")
            # What a screen reader hears of the next step: the labels' new names, the tape's selection.
            heard = []
            events = ("object:property-change:accessible-name", "object:text-selection-changed")
            listener = lambda event: heard.append((event.type, event.source.name if event.source else ""))
            pyatspi.Registry.registerEventListener(listener, *events)
            pump(0.3)
            key(window_id, ["F7"])
            pump(0.5)
            pyatspi.Registry.deregisterEventListener(listener, *events)
            names = {name.strip() for kind, name in heard if kind.startswith("object:property-change")}
            for expected in ("Schritte: 2", "Übergang: a k -> w 1"):
                if expected not in names:
                    failures.append(f"no name change to {expected!r} heard after F7: {sorted(names)}")
            if not any(kind == "object:text-selection-changed" and name == "Band" for kind, name in heard):
                failures.append("no selection change of the tape heard after F7")
            print(f"atspi: the tape reads {cells.rstrip()!r} after F8; its head cell is the selection: {heads}; "
                  f"the next F7 was heard as {sorted(names)} and the tape's selection")
        second = [node.name for node, _ in walk(app) if node.getRole() == pyatspi.ROLE_TEXT]
        if "Ausgabe" not in second:
            failures.append(f"no text named Ausgabe beside the DEA's tape: {second}")
    finally:
        end(window)



def check_names(app, where, failures):
    shown = [(node, depth) for node, depth in walk(app)
             if node.getRole() in CONTROLS and node.getState().contains(pyatspi.STATE_SHOWING)]
    unnamed = [f"a {node.getRoleName()} without a name (depth {depth}, in {node.parent.getRoleName()} \"{node.parent.name}\") in {where}"
               for node, depth in shown if not node.name.strip()]
    failures.extend(unnamed)
    if not unnamed:
        print(f"atspi: {where}: {len(shown)} controls shown, each with a name")


def window_of():
    return subprocess.run(["xdotool", "search", "--name", "^Simulation"], capture_output=True,
                          text=True).stdout.split()[0]


def end(window):
    window.terminate()
    try:
        window.wait(10)
    except subprocess.TimeoutExpired:
        window.kill()


def label(app, prefix):
    return next((node.name for node, _ in walk(app) if node.getRole() == pyatspi.ROLE_LABEL
                 and node.name.startswith(prefix)), None)


def by_keys(program, example, failures):
    scratch = os.path.dirname(os.environ["AUTOMATEN_CONFIG"])
    saved = os.path.join(scratch, "gespeichert.txt")
    window, app = start([program, example], failures)
    if window is None:
        return
    try:
        time.sleep(1.5)
        window_id = window_of()
        key(window_id, ["F3"])
        key(window_id, ["ctrl+t"])
        time.sleep(1.5)
        check_names(app, "the window with the Tests pane", failures)
        key(window_id, ["Down", "Down", "Down", "Return"])  # the third case: "11"
        tape = by_name(app, pyatspi.ROLE_TEXT, "Band").queryText().getText(0, -1)
        key(window_id, ["F7"])
        steps = label(app, "Schritte:")
        if tape != "11" or steps != "Schritte: 1":
            failures.append(f"by keys: the third case gave the tape {tape!r} and {steps!r} after F7")
        key(window_id, ["ctrl+shift+s"])
        time.sleep(1)
        subprocess.run(["xdotool", "type", "--delay", "20", saved], check=True)
        subprocess.run(["xdotool", "key", "Return"], check=True)
        for _ in range(40):
            if os.path.exists(saved):
                break
            time.sleep(0.25)
        if not os.path.exists(saved) or b"; Test: 11 -> akzeptiert" not in open(saved, "rb").read():
            failures.append("by keys: Ctrl+Shift+S did not save the program")
        else:
            print(f"atspi: by keys alone: all tests, the case 11 on the tape ({steps}), saved as {saved}")
        edit_by_keys(app, window_id, failures)
    finally:
        end(window)


def edit_by_keys(app, window_id, failures):
    """The diagram edited by keys: a new state is said by the line under it."""
    heard = []
    listener = lambda event: heard.append(event.source.name if event.source else "")
    pyatspi.Registry.registerEventListener(listener, "object:property-change:accessible-name")
    key(window_id, ["F4"])
    time.sleep(1.5)
    key(window_id, ["ctrl+b"])
    key(window_id, ["n"])
    pump(1.0)
    pyatspi.Registry.deregisterEventListener(listener, "object:property-change:accessible-name")
    said = [name for name in heard if name.startswith("Zustand ") and name.endswith(" hinzugefügt.")]
    if not said:
        failures.append(f"by keys: no new state heard in the diagram: {heard[-5:]}")
    else:
        print(f"atspi: by keys in the diagram: {said[0]!r} heard")
    check_names(app, "the window editing its diagram", failures)


def wait_for_display(seconds=20):
    """Xvfb may still be coming up (or the one before it going down)."""
    end = time.time() + seconds
    while time.time() < end:
        if subprocess.run(["xdpyinfo"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0:
            return True
        time.sleep(0.2)
    return False


def main():
    failures = []
    if not wait_for_display():
        print("atspi: no X display")
        return 1
    names_and_tape(sys.argv[1], failures)
    by_keys(sys.argv[1], sys.argv[2], failures)
    for f in failures:
        print("atspi:", f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
