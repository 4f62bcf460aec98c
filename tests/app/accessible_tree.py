#!/usr/bin/python3
"""What assistive technology gets from the running framepicker, through AT-SPI.

    accessible_tree.py STATE [FOLDER]
    accessible_tree.py bus

Waits for the application's windows to show STATE (idle, error, done or about), prints their
accessible tree and checks it: each control shown has a name, none with a line break in it,
and each state's own controls are what they must be (the drop zone a button that can be
pressed, the error's "Choose Another Folder…" and the done state's FOLDER links). Pressing the
drop zone or the error's link through AT-SPI must open its dialog. Exits 0 when all holds.
With "bus", only asks the AT-SPI bus for the desktop: exits 0 when it answers."""
import os
import sys
import time
import warnings

import gi

gi.require_version('Atspi', '2.0')
from gi.repository import Atspi, GLib  # noqa: E402

warnings.simplefilter('ignore', DeprecationWarning)  # the Action calls Debian 12's libatspi offers

# Roles that only hold others; a screen reader does not stop on them.
HOLDERS = {'application', 'filler', 'panel', 'menu bar', 'popup menu', 'separator', 'scroll bar', 'viewport',
           'unknown', 'redundant object', 'layered pane', 'window'}
state = sys.argv[1]
if state == 'bus':
    Atspi.get_desktop(0).get_child_count()  # libatspi aborts the process where there is no bus
    sys.exit(0)
folder = sys.argv[2] if len(sys.argv) > 2 else ''
failures = []


def application():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_name() == 'Framepicker':
            return app
    return None


def showing(node):
    return node.get_state_set().contains(Atspi.StateType.SHOWING)


def actions(node):
    if 'Action' not in node.get_interfaces():
        return []
    return [Atspi.Action.get_action_name(node, i) for i in range(Atspi.Action.get_n_actions(node))]


def nodes(node, depth=0):
    """The shown nodes under node, node first, as (depth, node)."""
    yield depth, node
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None and showing(child):
            yield from nodes(child, depth + 1)


def role_of(node):
    # AT-SPI 2.46 (Debian 12) names a push button so; later versions call it a button.
    role = node.get_role_name()
    return 'push button' if role == 'button' else role

def find(root, role, name=None):
    return [n for _, n in nodes(root) if role_of(n) == role and (name is None or n.get_name() == name)]


def press(node):
    Atspi.Action.do_action(node, actions(node).index('Press'))


def wait(what, seconds=20):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        try:
            app = application()
            if app is not None and what(app):
                return app
        except GLib.Error:
            pass  # a window went away while it was read
        time.sleep(0.2)
    return None


def dialog_opened(app):
    return any(role_of(n) in ('dialog', 'file chooser') for _, n in nodes(app))


def drop_zone(app):
    found = find(app, 'push button', 'Drop a video here')
    return found[0] if found else None


def status_link(app, name):
    return [link for bar in find(app, 'status bar') for link in find(bar, 'link', name)]


ready = {
    'idle': lambda app: drop_zone(app) is not None,
    'error': lambda app: status_link(app, 'Choose Another Folder…'),
    'done': lambda app: status_link(app, folder) and len(find(app, 'push button')) == 3,
    'about': lambda app: find(app, 'dialog', 'About Framepicker'),
}[state]
app = wait(ready)
shown = app is not None
if not shown:
    app = application()
    failures.append(f'the {state} state never showed as it should')

# The tree as a screen reader meets it, and what every control in it must have.
print(f'--- {state}')
for depth, node in nodes(app) if app is not None else []:
    role, name = role_of(node), node.get_name()
    print('  ' * depth + f'{role} {name!r}' + (f' actions={actions(node)}' if actions(node) else ''))
    if '\n' in name:
        failures.append(f'{role} {name!r} has a line break in its name')
    # The status bar says nothing until there is a job (and is no Tab stop then).
    empty = role == 'status bar' and not any(showing(node.get_child_at_index(i)) for i in range(node.get_child_count()))
    if role not in HOLDERS and not empty and not name.strip():
        failures.append(f'a {role} has no name')

def press_opens_dialog(node, what):
    if 'Press' not in actions(node):
        failures.append(f'{what} cannot be pressed')
    else:
        press(node)
        if not wait(dialog_opened, 10):
            failures.append(f'pressing {what} opens no dialog')

if shown and state == 'idle':
    press_opens_dialog(drop_zone(app), 'the drop zone')
elif shown and state == 'error':
    press_opens_dialog(status_link(app, 'Choose Another Folder…')[0], '“Choose Another Folder…”')
elif shown and state == 'done':
    if 'Press' not in actions(status_link(app, folder)[0]):
        failures.append('the folder link cannot be pressed')
    video = os.path.basename(folder)
    for name in (f'First frame of {video}', f'Last frame of {video}'):
        if not find(app, 'push button', name):
            failures.append(f'no button {name!r}')
elif shown and state == 'about':
    about = find(app, 'dialog', 'About Framepicker')[0]
    for role, name in (('push button', 'Korvane'), ('label', 'Saves the exact first and last frame of a video as PNG images.')):
        if not find(about, role, name):
            failures.append(f'the About window has no {role} {name!r}')
    # The disclaimer's Tab stop, its scroll area, is named by its heading.
    if not [n for _, n in nodes(about) if n.get_name() == 'Disclaimer'
            and n.get_state_set().contains(Atspi.StateType.FOCUSABLE)]:
        failures.append('the disclaimer is no Tab stop named “Disclaimer”')
    if not [n for n in find(about, 'label') if n.get_name().startswith('Version ')]:
        failures.append('the About window does not name its version')

for failure in failures:
    print('FAILED:', failure)
sys.exit(1 if failures else 0)
