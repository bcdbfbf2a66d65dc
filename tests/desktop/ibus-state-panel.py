#!/usr/bin/python3
# A stand-in for the desktop's IBus panel, for make test-desktop: ibus-daemon tells only its
# panel which input context has the focus and which input mode the engine is in (Qt's IBus
# plugin does not ask for the engine's properties). Prints "focus-in PATH" and, for the input
# mode now checked, "mode NAME" ("mode none" for an engine without input modes).
import sys

import gi

gi.require_version('IBus', '1.0')
from gi.repository import GLib, IBus  # noqa: E402


def say(*words):
    print(*words, flush=True)


def properties(props):
    index = 0
    while props.get(index) is not None:
        prop = props.get(index)
        yield prop
        yield from properties(prop.get_sub_props())
        index += 1


def say_mode(props):
    for prop in props:
        key = prop.get_key()
        if key.startswith('InputMode.') and prop.get_state() == IBus.PropState.CHECKED:
            say('mode', key[len('InputMode.'):])


class StatePanel(IBus.PanelService):
    def do_focus_in(self, path):
        say('focus-in', path)

    def do_register_properties(self, props):
        modes = [prop for prop in properties(props) if prop.get_key().startswith('InputMode.')]
        if modes:
            say_mode(modes)
        else:
            say('mode', 'none')

    def do_update_property(self, prop):
        say_mode([prop])


IBus.init()
bus = IBus.Bus()
if not bus.is_connected():
    sys.exit('ibus-state-panel: no IBus to talk to')
panel = StatePanel(connection=bus.get_connection(), object_path=IBus.PATH_PANEL)
bus.request_name(IBus.SERVICE_PANEL, IBus.BusNameFlag.REPLACE_EXISTING)
say('panel ready')
GLib.MainLoop().run()
