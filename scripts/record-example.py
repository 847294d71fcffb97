"""Films the running program through two dashcam calculations for the example video.

Finds the controls through accessibility, moves the pointer and types with xdotool at a
human pace, and records the screen around the windows with ffmpeg into the AVI named on the
command line. Fails when a result differs from what the readings give.
"""
import subprocess
import sys
import time

import pyatspi

out = sys.argv[1]
FPS = 12
MARGIN = 16  # desktop shown around the main window
TITLE = 28  # the window manager's title bar above it


def application(name, tries=50):
    for _ in range(tries):
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == name:
                return app
        time.sleep(0.2)
    raise SystemExit(f"{name} did not show up")


def children(node):
    return [c for c in (node.getChildAtIndex(i) for i in range(node.childCount)) if c]


def window(app, caption, tries=50):
    for _ in range(tries):
        for w in children(app):
            if w.name == caption:
                return w
        time.sleep(0.1)
    raise SystemExit(f"no window {caption!r}")


def control(root, name, role):
    stack = [root]
    while stack:
        node = stack.pop()
        if node.name == name and node.getRoleName() == role:
            return node
        stack.extend(children(node))
    raise SystemExit(f"no {role} named {name}")


def extents(node):
    e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return e.x, e.y, e.width, e.height


def text(node):
    return node.queryText().getText(0, -1)


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], check=True)


def pointer():
    out = subprocess.run(["xdotool", "getmouselocation", "--shell"], check=True,
                         capture_output=True, text=True).stdout
    pos = dict(line.split("=") for line in out.split())
    return int(pos["X"]), int(pos["Y"])


def glide(x, y, seconds=0.4):
    """Moves the pointer to (x, y) along a straight line, slow at both ends like a hand."""
    x0, y0 = pointer()
    steps = max(1, int(seconds / 0.02))
    for i in range(1, steps + 1):
        t = i / steps
        s = t * t * (3 - 2 * t)
        xdotool("mousemove", round(x0 + (x - x0) * s), round(y0 + (y - y0) * s))
        time.sleep(0.02)


def click(node, dx=None):
    """Glides to a control (dx pixels from its left edge, else its middle) and clicks it."""
    x, y, w, h = extents(node)
    glide(x + (w // 2 if dx is None else dx), y + h // 2)
    time.sleep(0.1)
    xdotool("click", 1)
    time.sleep(0.2)


def type_into(node, value):
    """Clicks into a field, replaces its text and types the value key by key."""
    click(node, dx=12)
    xdotool("key", "ctrl+a")
    xdotool("type", "--delay", 180, value)
    time.sleep(0.35)


ROWS = ("Начальные", "Конечные")
UNITS = ("час", "мин", "сек")
RESULTS = ("Пройдено времени, час", "Пройдено времени, мин", "Пройдено времени, сек",
           "Скорость, км/час")


class Dashcam:
    """The dashcam window's controls, looked up while it is empty: a combo box is named by its
    text once it has one."""

    def __init__(self, form):
        self.clock = {(row, unit): control(form, f"{row} показания времени, {unit}", "combo box")
                      for row in ROWS for unit in UNITS}
        self.distance = control(form, "Расстояние, м", "text")
        self.start = control(form, "Старт", "push button")
        self.close = control(form, "Закрыть", "push button")
        self.result = {name: control(form, name, "text") for name in RESULTS}

    def run(self, start, end, metres, results):
        """Types both readings (None leaves a box as it is) and the distance, presses Старт,
        checks the results and leaves them on screen to be read."""
        for row, values in zip(ROWS, (start, end)):
            for unit, value in zip(UNITS, values):
                if value is not None:
                    type_into(self.clock[row, unit], value)
        type_into(self.distance, metres)
        time.sleep(0.4)
        click(self.start)
        got = tuple(text(self.result[name]) for name in RESULTS)
        if got != results:
            raise SystemExit(f"results {got}, want {results}")
        x, y, w, h = extents(self.result["Скорость, км/час"])
        glide(x + w + 30, y + h // 2, 0.7)
        time.sleep(2.5)


def film(app, main):
    time.sleep(1.5)
    click(control(main, "Определить скорость и время по данныи видеорегистратора", "label"))
    dashcam = Dashcam(window(app, "Кварнет. Расчет скорости по данным видеорегистратора"))
    time.sleep(1.5)
    # A car passes two lamp posts 35 m apart ten seconds apart on the dashcam's clock.
    dashcam.run(("10", "20", "30"), ("10", "20", "40"), "35", ("0", "0", "10", "12,6"))
    # Three minutes for 100 m; the hour stays as it is.
    dashcam.run((None, "1", "0"), (None, "4", "0"), "100", ("0", "3", "0", "2"))
    click(dashcam.close)
    time.sleep(1.5)


app = application("kvarnet")
main = window(app, "Кварнет ")
mx, my, mw, mh = extents(main)
left, top = mx - MARGIN, my - MARGIN - TITLE
width, height = mw + 2 * MARGIN, mh + 2 * MARGIN + TITLE
width, height = width + width % 2, height + height % 2  # whole chroma blocks

# The pointer starts over the picture strip at the top, away from the controls.
xdotool("mousemove", mx + mw // 2, my + 30)
# MPEG-4 video with the XVID tag in AVI: the players common on Linux and Windows all play it.
recorder = subprocess.Popen(
    ["ffmpeg", "-loglevel", "error", "-y",
     "-f", "x11grab", "-draw_mouse", "1", "-framerate", str(FPS),
     "-video_size", f"{width}x{height}", "-i", f"+{left},{top}",
     "-r", str(FPS), "-c:v", "mpeg4", "-q:v", "3", "-g", str(2 * FPS), "-vtag", "XVID",
     "-pix_fmt", "yuv420p", "-an", "-f", "avi", out],
    stdin=subprocess.PIPE)
try:
    film(app, main)
finally:
    recorder.communicate(b"q")
if recorder.returncode != 0:
    raise SystemExit(f"ffmpeg failed with {recorder.returncode}")
