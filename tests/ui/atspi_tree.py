#!/usr/bin/python3
"""Reads the program's accessibility tree over AT-SPI, as a screen reader
does: starts the program under its own Xvfb and session bus, checks the
names of the main window's fields and that a warning balloon raises an
alert. Prints what a screen reader hears for the first fields.

    atspi_tree.py PROGRAM CASE.cml
"""
import os
import subprocess
import sys
import tempfile
import time

EXPECTED_FIRST = [
    "Case number", "Circuit court", "District court", "Select County", "Plaintiff details",
    "Plaintiff name", "Mother, the plaintiff", "Father, the defendant", "Defendant name", "Defendant details",
]
EXPECTED_FIELDS = [
    "Father's monthly actual income", "Mother's monthly actual income",
    "Mother's existing child support payment", "Father's alimony awarded this case",
    "Mother's number of overnights", "Father's cash medical support",
    "Mother's recommended child support", "Father's recommended child support",
    "Child 1 name", "Child 6 birth date or age", "Custody type", "Combined income", "Preparer",
]
ALERT_TEXT = "is greater than sole guidelines"


def outer(program, case):
    """Own display and session bus, then this script again inside them."""
    read, write = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                            pass_fds=(write,), stderr=subprocess.DEVNULL)
    os.close(write)
    with os.fdopen(read) as pipe:
        display = pipe.readline().strip()
    try:
        if not display:
            print("Xvfb did not start")
            return 1
        with tempfile.TemporaryDirectory(prefix="orva-atspi-") as home:
            config = os.path.join(home, ".config", "Pellwood")
            os.makedirs(config)
            with open(os.path.join(config, "Orva-Calc.conf"), "w") as settings:
                settings.write("[General]\nupdate-check-at-startup=false\n")
            env = dict(os.environ, DISPLAY=":" + display, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
                       XDG_RUNTIME_DIR=home, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
            env.pop("DBUS_SESSION_BUS_ADDRESS", None)
            env.pop("AT_SPI_BUS_ADDRESS", None)
            return subprocess.call(["dbus-run-session", "--", sys.executable, __file__, "--inner", program, case],
                                   env=env, timeout=120)
    finally:
        xvfb.terminate()
        xvfb.wait()


def wait_for(condition, seconds, step=0.1):
    """Polls `condition` (the program starts and answers asynchronously)."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        result = condition()
        if result:
            return result
        time.sleep(step)
    return None


def inner(program, case):
    import pyatspi
    from gi.repository import GLib

    # A window manager makes the window active, as on a desktop: only then
    # does the focus move reach a screen reader. It starts first: a window it
    # finds already mapped may keep the keyboard away.
    ready = os.path.join(os.environ["HOME"], "wm-ready")
    wm = subprocess.Popen(["openbox", "--startup", "touch " + ready], stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL)
    wait_for(lambda: os.path.exists(ready), 20)
    app_process = subprocess.Popen([program, case], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        return check_program(pyatspi, GLib)
    finally:
        wm.terminate()
        wm.wait()
        app_process.terminate()
        try:
            app_process.wait(10)
        except subprocess.TimeoutExpired:
            app_process.kill()
            app_process.wait()


def spoken_name(pyatspi, node):
    """The name, or for a combo box (named by its value) the label it has."""
    if node.getRoleName() == "combo box":
        for relation in node.getRelationSet():
            if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY and relation.getNTargets():
                return relation.getTarget(0).name
        return ""
    return node.name


def fields_of(pyatspi, window):
    """(name, role, node) of every field a user can reach, in the tree's order."""
    fields = []

    def walk(node):
        role = node.getRoleName()
        states = node.getState()
        # Frames of composite fields hand their focus to the edit within.
        if role != "frame" and states.contains(pyatspi.STATE_FOCUSABLE) and states.contains(pyatspi.STATE_SHOWING):
            fields.append((spoken_name(pyatspi, node), role, node))
        # A combo box's list and edit line speak through the box.
        if role != "combo box":
            for child in node:
                if child is not None:
                    walk(child)

    walk(window)
    return fields


def check_program(pyatspi, GLib):
    desktop = pyatspi.Registry.getDesktop(0)

    def find_window():
        for app in desktop:
            for window in (app or []):
                if window is not None and window.name.startswith("Orva-Calc Professional"):
                    return window
        return None

    window = wait_for(find_window, 30)
    if window is None:
        print("FAIL: the main window never appeared in the accessibility tree")
        return 1
    fields = wait_for(lambda: (lambda f: f if any(n == EXPECTED_FIELDS[0] for n, _, _ in f) else None)(
        fields_of(pyatspi, window)), 20) or []
    names = [name for name, _, _ in fields]
    failures = ["no field named %r" % expected for expected in EXPECTED_FIRST + EXPECTED_FIELDS
                if expected not in names]
    unnamed = [role for name, role, _ in fields if not name]
    if unnamed:
        failures.append("fields without a name: %s" % unnamed)
    node = dict((name, node) for name, _, node in fields)

    heard = []
    alerts = []

    def on_event(event):
        try:
            source = event.source
            if event.type.startswith("object:state-changed:focused") and event.detail1:
                heard.append("%s, %s%s" % (spoken_name(pyatspi, source), source.getRoleName(),
                                           ", " + source.description if source.description else ""))
            elif source.getRoleName() == "alert" and event.detail1:
                alerts.append("%s: %s" % (source.name, source.description))
        except Exception:
            pass

    events = ("object:state-changed", "focus:")
    pyatspi.Registry.registerEventListener(on_event, *events)
    loop = GLib.MainLoop()
    steps = []

    def step():
        # One step at a time, while the loop delivers the events between
        # them; a step that returns False is tried again at the next tick.
        if not steps:
            loop.quit()
            return False
        if steps[0]() is not False:
            steps.pop(0)
        return True

    mark = [0]

    def tab():
        mark[0] = len(heard)
        pyatspi.Registry.generateKeyboardEvent(0xff09, None, pyatspi.KEY_SYM)

    def focus(name):
        def attempt():
            # Keys reach the field once the window manager made the window active.
            if (window.getState().contains(pyatspi.STATE_ACTIVE)
                    and node[name].getState().contains(pyatspi.STATE_FOCUSED)):
                return True
            node[name].queryComponent().grabFocus()
            return False
        return attempt


    income = EXPECTED_FIELDS[0]
    # The father's income typed in: his shared order rises above the sole one.
    steps.append(focus(income))
    steps.append(lambda: pyatspi.Registry.generateKeyboardEvent(0, "3000", pyatspi.KEY_STRING))
    steps.append(lambda: any(ALERT_TEXT in alert for alert in alerts))
    # Then Tab through the head of the form from its first field.
    steps.append(lambda: heard.clear())
    steps.append(focus(EXPECTED_FIRST[0]))
    steps.append(lambda: len(heard) > 0)
    for _ in range(9):
        steps.append(tab)
        steps.append(lambda: len(heard) > mark[0])
    GLib.timeout_add(100, step)
    GLib.timeout_add(30000, loop.quit)
    loop.run()
    pyatspi.Registry.deregisterEventListener(on_event, *events)

    print("A screen reader hears, Tab by Tab from the case number:")
    for line in heard[:10]:
        print("  " + line)
    if not any(ALERT_TEXT in alert for alert in alerts):
        failures.append("no alert with %r (alerts: %s; %d steps left; income %r)"
                        % (ALERT_TEXT, alerts, len(steps), node[income].queryText().getText(0, -1)))
    else:
        print("Alert: " + next(alert for alert in alerts if ALERT_TEXT in alert))
    for failure in failures:
        print("FAIL: " + failure)
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) == 4 and sys.argv[1] == "--inner":
        sys.exit(inner(sys.argv[2], sys.argv[3]))
    if len(sys.argv) != 3:
        print(__doc__)
        sys.exit(2)
    sys.exit(outer(sys.argv[1], sys.argv[2]))
