#!/usr/bin/python3
# What a screen reader hears from Rubrio, read from outside the process on
# the AT-SPI bus: the focus moves and the texts announced while the keyboard
# moves the letter selector to R and a contact is stored in the entry dialog.
#
#   atspi_events.py APP_NAME
#
# Prints one line per event a screen reader presents: the focus moving to a
# control, the value of the focused control changing, and notifications
# showing, each with the role, name and the text or value read out.
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

app_name = sys.argv[1]
lines = []


def key(*keys):
    subprocess.run(["xdotool", "key", "--clearmodifiers", *keys], check=True)


def type_text(text):
    subprocess.run(["xdotool", "type", "--delay", "40", text], check=True)


def describe(obj):
    # What a screen reader says of it: name, the text it shows (a spin
    # button's), else its number.
    text = ""
    if "Text" in pyatspi.listInterfaces(obj):
        text_interface = obj.queryText()
        text = " text '%s'" % text_interface.getText(0, text_interface.characterCount)
    elif "Value" in pyatspi.listInterfaces(obj):
        text = " value %g" % obj.queryValue().currentValue
    elif obj.getRole() == pyatspi.ROLE_LIST:
        text = " with %d items: %s" % (obj.childCount, ", ".join(
            obj.getChildAtIndex(i).name for i in range(obj.childCount)))
    return "%s '%s'%s" % (obj.getRoleName(), obj.name, text)


def focused(obj):
    return obj.getState().contains(pyatspi.STATE_FOCUSED)


def on_event(event):
    try:
        if event.host_application.name != app_name:
            return
        source = event.source
        if event.type.startswith("object:state-changed:focused"):
            if event.detail1 and source.getRole() != pyatspi.ROLE_TEXT:
                lines.append("focus: %s" % describe(source))
            elif event.detail1:  # the text boxes: their text is typed
                lines.append("focus: %s '%s'" % (source.getRoleName(), source.name))
        elif event.type.startswith("object:state-changed:showing"):
            if event.detail1 and source.getRole() == pyatspi.ROLE_NOTIFICATION:
                lines.append("notification: '%s'" % source.name)
        elif focused(source):  # a value changed
            lines.append("value: %s" % describe(source))
    except Exception as error:  # a control gone meanwhile
        lines.append("error: %s" % error)


# The steps, each after the events of the one before had time to arrive.
steps = [
    lambda: key("Tab"),                 # the list -> the letter selector
    lambda: key("r"),                   # a letter typed moves it there
    lambda: key("shift+Tab"),           # back to the list, refilled for R
    lambda: key("Tab"),
    lambda: key("Tab", "Tab"),          # -> "Salva Record" -> "Aggiungi Record"
    lambda: key("space"),               # the entry dialog opens
    lambda: (type_text("Rinaldi"), key("Tab"), type_text("Paola"), key("Tab"),
             type_text("055 9")),
    lambda: key("Tab", "Tab"),          # -> "Annulla" -> "Aggiungi"
    lambda: key("space"),               # stores the contact
]


def run_step():
    if steps:
        steps.pop(0)()
        return True
    pyatspi.Registry.stop()
    return False


for event_type in ("object:state-changed:focused",
                   "object:state-changed:showing",
                   "object:property-change:accessible-value",
                   "object:value-changed"):
    pyatspi.Registry.registerEventListener(on_event, event_type)

# Wait for the program on the bus.
deadline = time.time() + 20
while not any(a and a.name == app_name for a in pyatspi.Registry.getDesktop(0)):
    if time.time() > deadline:
        sys.exit("%s is not on the accessibility bus" % app_name)
    time.sleep(0.2)

GLib.timeout_add(1500, run_step)
pyatspi.Registry.start()
print("\n".join(lines))
