#!/usr/bin/python3
"""Asks an X window to close, as a window manager does for its title-bar button:
a WM_DELETE_WINDOW client message. Usage: close_window.py WINDOW_ID"""
import sys

from Xlib import X, display
from Xlib.protocol import event

d = display.Display()
window = d.create_resource_object("window", int(sys.argv[1]))
protocols = d.intern_atom("WM_PROTOCOLS")
delete = d.intern_atom("WM_DELETE_WINDOW")
if delete not in (window.get_wm_protocols() or []):
    sys.exit("close_window: the window does not take WM_DELETE_WINDOW")
message = event.ClientMessage(window=window, client_type=protocols,
                              data=(32, [delete, X.CurrentTime, 0, 0, 0]))
window.send_event(message, event_mask=X.NoEventMask)
d.flush()
