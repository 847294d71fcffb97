"""Drives the running program through accessibility and takes screenshots of the screen."""
import subprocess
import sys
import time

import pyatspi

out = sys.argv[1]


def shot(name):
    subprocess.run(["import", "-window", "root", f"{out}/{name}.png"], check=True)


def application(name, tries=50):
    for _ in range(tries):
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == name:
                return app
        time.sleep(0.2)
    raise SystemExit(f"{name} did not show up")


def control(app, name, role):
    stack = [app]
    while stack:
        node = stack.pop()
        if node.name == name and node.getRoleName() == role:
            return node
        stack.extend(c for c in (node.getChildAtIndex(i) for i in range(node.childCount)) if c)
    raise SystemExit(f"no {role} named {name}")


def type_into(field, text):
    field.queryEditableText().setTextContents(text)


def press(button):
    button.queryAction().doAction(0)


app = application("kvarnet")
skid = control(app, "Длина тормозного следа (юз),м", "text")
start = control(app, "Старт", "push button")
shot("main-startup")

# A run of the stopping series, caught at several steps, then its results.
type_into(skid, "10")
began = time.time()
press(start)
for at in (0.35, 0.95, 1.5, 2.1, 2.6, 3.3):
    time.sleep(max(0, began + at - time.time()))
    shot(f"run-stopping-{int(at * 1000):04d}ms")

# The collision series' last frame with its results.
type_into(skid, "20")
press(start)
time.sleep(3.3)
shot("run-collision-end")

# An empty input opens the alert over the main window.
type_into(control(app, "Время наростания замедления, с", "text"), "")
press(start)
time.sleep(1.0)
shot("alert-over-main")
