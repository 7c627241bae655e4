#!/usr/bin/python3
"""Takes the test as a screen reader user does, through the AT-SPI bus only: reads the first
window, its options, its statement and its graph; answers wrongly twice, hearing the mark each
time; then answers every window rightly and reads the mark in the result window; then presses
"Выход". Every choice and press goes through the Action interface, as a screen reader's own
commands do.

Usage: screen_reader.py PID  (the program, already started with accessibility on, in a D-Bus
session with an X display). The caller sees the program end and checks its exit code."""

import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

from answer_sheet import right_choices

HERE = os.path.dirname(os.path.abspath(__file__))
TIMEOUT = 10  # seconds for anything the program does in answer to one action

# The choice a right answer takes in each window, as the option names it.
RIGHT_CHOICES = right_choices()
WRONG_CHOICE = "А. 1"  # in window 1
WRONG_PRESSES = 2

# The roles a screen reader takes for a window of its own: it speaks their names when they open.
WINDOW_ROLES = (pyatspi.ROLE_FRAME, pyatspi.ROLE_DIALOG, pyatspi.ROLE_WINDOW)


def fail(message):
    print(f"screen_reader: {message}", file=sys.stderr)
    sys.exit(1)


# The bus's messages, events among them, are handled while waiting; a timer wakes the loop up
# now and then so that each condition is looked at again even when nothing arrives.
GLib.timeout_add(20, lambda: True)


def wait_for(what, condition, timeout=TIMEOUT):
    """Polls `condition` until it returns something true, and returns that."""
    deadline = time.monotonic() + timeout
    context = GLib.MainContext.default()
    while True:
        try:
            value = condition()
        except GLib.GError:  # an object went while it was being read; look again
            value = None
        if value:
            return value
        if time.monotonic() > deadline:
            fail(f"no {what} within {timeout} s")
        context.iteration(True)


def settle(accessible):
    """Returns once every event the program sent before it answers a call on `accessible` has
    been handled: the program sends in order, and the answer comes after them."""
    accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def children(accessible):
    return [accessible.getChildAtIndex(i) for i in range(accessible.childCount)]


def showing(accessible):
    return accessible.getState().contains(pyatspi.STATE_SHOWING)


def application(pid):
    return next((app for app in children(pyatspi.Registry.getDesktop(0))
                 if app is not None and app.get_process_id() == pid), None)


def shown_window(app, name):
    return next((window for window in children(app)
                 if window is not None and window.name == name and showing(window)), None)


def child(parent, role, name=None):
    """The one child of that role (and name), or a failure."""
    found = [c for c in children(parent)
             if c.getRole() == role and (name is None or c.name == name)]
    if len(found) != 1:
        wanted = pyatspi.Atspi.role_get_name(role) + (f" \"{name}\"" if name is not None else "")
        fail(f"\"{parent.name}\" has {len(found)} {wanted}; its children are "
             f"{[(c.getRoleName(), c.name) for c in children(parent)]}")
    return found[0]


def act(accessible, action):
    """Performs the named action, as a screen reader's command would."""
    actions = accessible.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    if action not in names:
        fail(f"\"{accessible.name}\" offers {names}, not {action}")
    if not actions.doAction(names.index(action)):
        fail(f"\"{accessible.name}\" refused {action}")


def choose(option):
    act(option, "Toggle")
    wait_for(f"check on \"{option.name}\"",
             lambda: option.getState().contains(pyatspi.STATE_CHECKED))


def x_window_titled(title):
    """Whether a visible X window has that title, as the window manager shows it."""
    return subprocess.run([HERE + "/x_windows.py", "shown", title], check=False).returncode == 0


# Names that labels announce, as the bus tells of them: (label, its name then).
name_changes = []


def on_name_change(event):
    if event.source is not None and event.source.getRole() == pyatspi.ROLE_LABEL:
        # Qt sends the source rather than the new name as the event's data; screen readers read
        # the name from the source, as it is when the event comes.
        name_changes.append((event.source, event.source.name))


def announced_window(app, title):
    """The shown window of that title, once there, as a screen reader announces it."""
    window = wait_for(f"window \"{title}\"", lambda: shown_window(app, title))
    if window.getRole() not in WINDOW_ROLES:
        fail(f"\"{title}\" is a {window.getRoleName()}: a screen reader does not take it for a "
             f"window and does not announce it")
    return window


def answer_rightly(app):
    """Right answers, window after window, up to the result."""
    for number in range(1, 11):
        window = announced_window(app, f"Вопрос {number} из 10")
        choose(child(window, pyatspi.ROLE_RADIO_BUTTON, RIGHT_CHOICES[number]))
        act(child(window, pyatspi.ROLE_PUSH_BUTTON, "Далее"), "Press")
        wait_for(f"window {number} to go", lambda: not showing(window))


def main():
    pid = int(sys.argv[1])
    app = wait_for("application on the accessibility bus", lambda: application(pid))
    pyatspi.Registry.registerEventListener(on_name_change,
                                           "object:property-change:accessible-name")

    # The first window, as it is read.
    window = announced_window(app, "Вопрос 1 из 10")
    wait_for("X window titled \"1\"", lambda: x_window_titled("1"))
    options = [child(window, pyatspi.ROLE_RADIO_BUTTON, name) for name in ("А. 1", "Б. 2", "В. 3")]
    lefts = [o.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).x for o in options]
    if not lefts[0] < lefts[1] < lefts[2]:
        fail(f"the options А, Б, В stand at {lefts} from the left, not in the letters' order")
    for name, start in (("Вопрос 1", "1. Какой из графиков (рис 1)"),
                        ("Рисунок 1", "График скорости v в метрах в секунду")):
        description = child(window, pyatspi.ROLE_FILLER, name).description
        if not description.startswith(start):
            fail(f"\"{name}\" reads \"{description}\"")
    for option in options:
        if option.getState().contains(pyatspi.STATE_CHECKED):
            fail(f"\"{option.name}\" is checked before anyone chose it")
    mark = child(window, pyatspi.ROLE_LABEL)
    if mark.name:
        fail(f"the mark reads \"{mark.name}\" before any answer")
    next_button = child(window, pyatspi.ROLE_PUSH_BUTTON, "Далее")

    # Wrong answers: each one is news on the bus, once, the second as much as the first.
    choose(child(window, pyatspi.ROLE_RADIO_BUTTON, WRONG_CHOICE))
    for press in range(1, WRONG_PRESSES + 1):
        settle(mark)
        del name_changes[:]
        act(next_button, "Press")
        wait_for(f"name change of the mark after wrong answer {press}",
                 lambda: [name for label, name in name_changes if label == mark])
        settle(mark)
        spoken = [name for label, name in name_changes if label == mark]
        if spoken != ["Неверно"]:
            fail(f"wrong answer {press} was announced as {spoken}, not once as \"Неверно\"")
        if mark.name != "Неверно":
            fail(f"the mark reads \"{mark.name}\" after wrong answer {press}")
        if not showing(window):
            fail(f"window 1 went after wrong answer {press}")

    answer_rightly(app)

    # The result, spoken as a mark; then the way out.
    result = announced_window(app, "Результат теста")
    if not x_window_titled("Результат"):
        fail("the result window is not titled \"Результат\"")
    # The mark is the whole part of (20 - wrong presses) / 4: 5 for none, 4 for one to four.
    expected = f"Оценка: {(20 - WRONG_PRESSES) // 4}"
    spoken = wait_for(f"label \"{expected}\"",
                      lambda: [c.name for c in children(result)
                               if c.getRole() == pyatspi.ROLE_LABEL and
                               c.name.startswith("Оценка")])
    if spoken != [expected]:
        fail(f"the result reads {spoken}, not \"{expected}\"")
    child(result, pyatspi.ROLE_LABEL, "Результат:")
    act(child(result, pyatspi.ROLE_PUSH_BUTTON, "Выход"), "Press")


if __name__ == "__main__":
    main()
