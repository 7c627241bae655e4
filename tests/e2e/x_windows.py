#!/usr/bin/python3
"""Finds and closes the program's X windows by their titles as UTF-8 (_NET_WM_NAME), which
read the same in every locale, unlike WM_NAME in the locale's own encoding.

  x_windows.py wait TITLE [SECONDS]  waits for a viewable window of that title to take the
                                     keyboard focus (so the program has seen it appear),
                                     prints its id
  x_windows.py shown TITLE           exits 0 when a viewable window of that title exists
  x_windows.py close ID              asks the window to close, as a title-bar button does
  x_windows.py frame ID              prints where the window lies on the screen: its client
                                     area's top-left corner, then its outer frame (a window
                                     manager's title bar and borders included) as left, top,
                                     width and height, in screen pixels
  x_windows.py managed [SECONDS]     waits until a window manager has announced itself
  x_windows.py moves TITLE [SECONDS] records the window of that title from its mapping to its
                                     unmapping: prints "watching" once it listens, then
                                     "mapped X Y" with the top-level (frame) window's place at
                                     its mapping, "moved X Y" for every move after it, and
                                     "unmapped" (or "timed out"), and ends"""
import select
import sys
import time

from Xlib import X, display
from Xlib.protocol import event


def titled(d, top, title, viewable=False):
    """The windows whose _NET_WM_NAME is TITLE among TOP and all below it, so that windows a
    window manager has put in frames are found too; only viewable ones where asked."""
    net_wm_name = d.intern_atom("_NET_WM_NAME")
    utf8 = d.intern_atom("UTF8_STRING")
    found = []
    pending = [top]
    while pending:
        window = pending.pop()
        try:
            pending.extend(window.query_tree().children)
            if viewable and window.get_attributes().map_state != X.IsViewable:
                continue
            name = window.get_full_property(net_wm_name, utf8)
        except Exception:  # the window went away while we looked
            continue
        if name is not None and bytes(name.value) == title.encode("utf-8"):
            found.append(window.id)
    return found


def poll(seconds, condition, failure):
    """What `condition` gives once it gives something true, looked at every 20 ms; None, with
    FAILURE told on standard error, when SECONDS pass first."""
    deadline = time.monotonic() + seconds
    while not (value := condition()):
        if time.monotonic() > deadline:
            print(f"x_windows: {failure} within {seconds} s", file=sys.stderr)
            return None
        time.sleep(0.02)  # polling interval, not synchronisation: the loop checks the result
    return value


def has_focus(d, window_id):
    """Whether the keyboard focus is in the window. The program gives its window the focus once
    it has seen the window mapped, so a request sent after this meets a window it knows is up."""
    focus = d.get_input_focus().focus
    while isinstance(focus, int) is False and focus is not None and focus.id != X.NONE:
        if focus.id == window_id:
            return True
        parent = focus.query_tree().parent
        focus = parent if parent is not None and parent.id != d.screen().root.id else None
    return False


def wait(d, title, seconds):
    found = poll(seconds, lambda: [w for w in titled(d, d.screen().root, title, viewable=True)
                                   if has_focus(d, w)],
                 f"no window titled \"{title}\" with the focus")
    if found:
        print(found[0])
    return 0 if found else 1


def close(d, window_id):
    window = d.create_resource_object("window", window_id)
    protocols = d.intern_atom("WM_PROTOCOLS")
    delete = d.intern_atom("WM_DELETE_WINDOW")
    if delete not in (window.get_wm_protocols() or []):
        print("x_windows: the window does not take WM_DELETE_WINDOW", file=sys.stderr)
        return 1
    message = event.ClientMessage(window=window, client_type=protocols,
                                  data=(32, [delete, X.CurrentTime, 0, 0, 0]))
    window.send_event(message, event_mask=X.NoEventMask)
    d.flush()
    return 0


def frame(d, window_id):
    window = d.create_resource_object("window", window_id)
    extents = window.get_full_property(d.intern_atom("_NET_FRAME_EXTENTS"), X.AnyPropertyType)
    left, right, top, bottom = extents.value if extents else (0, 0, 0, 0)
    size = window.get_geometry()
    origin = d.screen().root.translate_coords(window, 0, 0)
    print(origin.x, origin.y, origin.x - left, origin.y - top,
          size.width + left + right, size.height + top + bottom)
    return 0


def managed(d, seconds):
    check = d.intern_atom("_NET_SUPPORTING_WM_CHECK")
    announced = poll(seconds, lambda: d.screen().root.get_full_property(check, X.AnyPropertyType)
                     is not None, "no window manager")
    return 0 if announced else 1


def moves(d, title, seconds):
    """Follows the screen's top-level windows (a window manager's frames, or the program's own
    windows where none runs) through the events the X server sends about them, in their order:
    where a window is when it is mapped is where its last event put it."""
    root = d.screen().root
    root.change_attributes(event_mask=X.SubstructureNotifyMask)
    d.sync()
    print("watching", flush=True)
    places = {}
    watched = None
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if not d.pending_events():
            select.select([d], [], [], max(0, deadline - time.monotonic()))
            continue
        e = d.next_event()
        if e.type == X.CreateNotify and e.parent == root:
            places[e.window.id] = (e.x, e.y)
        elif e.type == X.ConfigureNotify and e.event == root:
            if watched == e.window.id and places.get(watched) != (e.x, e.y):
                print(f"moved {e.x} {e.y}", flush=True)
            places[e.window.id] = (e.x, e.y)
        elif e.type == X.ReparentNotify and e.event == root and e.parent != root:
            places.pop(e.window.id, None)  # taken into a frame: the frame is followed instead
        elif e.type == X.MapNotify and e.event == root:
            if watched is None and titled(d, e.window, title):
                watched = e.window.id
                x, y = places.get(watched, ("?", "?"))
                print(f"mapped {x} {y}", flush=True)
            elif watched == e.window.id:
                print("mapped again", flush=True)
        elif e.type in (X.UnmapNotify, X.DestroyNotify) and e.event == root:
            if watched == e.window.id:
                print("unmapped", flush=True)
                return 0
    print("timed out", flush=True)
    return 1


def main(argv):
    d = display.Display()
    if len(argv) >= 3 and argv[1] == "wait":
        return wait(d, argv[2], float(argv[3]) if len(argv) > 3 else 10)
    if len(argv) == 3 and argv[1] == "shown":
        return 0 if titled(d, d.screen().root, argv[2], viewable=True) else 1
    if len(argv) == 3 and argv[1] == "close":
        return close(d, int(argv[2]))
    if len(argv) == 3 and argv[1] == "frame":
        return frame(d, int(argv[2]))
    if len(argv) in (2, 3) and argv[1] == "managed":
        return managed(d, float(argv[2]) if len(argv) > 2 else 10)
    if len(argv) in (3, 4) and argv[1] == "moves":
        return moves(d, argv[2], float(argv[3]) if len(argv) > 3 else 60)
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
