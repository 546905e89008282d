#!/usr/bin/python3
"""Walks the running program's windows through AT-SPI, as a screen reader sees them.

Started by scripts/check-atspi inside a session bus and an X server; starts the
program, opens each dialog with the keys a user would press, and lists every
control a user can reach (shown, and enabled or focusable) that has no name, or
a list named only by its current item. Exit status 1 when one is found.

usage: atspi-walk.py PROGRAM DOCUMENT
"""

import os
import subprocess
import sys
import time

import pyatspi

CONTROLS = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON,
    pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY, pyatspi.ROLE_PASSWORD_TEXT,
    pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_SLIDER, pyatspi.ROLE_PROGRESS_BAR, pyatspi.ROLE_TABLE,
    pyatspi.ROLE_LIST, pyatspi.ROLE_TREE, pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_PAGE_TAB, pyatspi.ROLE_MENU,
    pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_CHECK_MENU_ITEM, pyatspi.ROLE_RADIO_MENU_ITEM,
}
# Scroll bars are left out: they take no focus, and a screen reader tells the
# place through the view they scroll.
# Their children are items or cells, announced through the control itself.
CONTAINERS = {pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_LIST, pyatspi.ROLE_TREE}

# What opens each window, as keys typed into the main window; the window
# closes with Escape. The menus: File Edit Program Setting Port View Help.
DIALOGS = [
    ('Option', ['alt+p', 'Up', 'Return']),
    ('PTT ID', ['alt+p', 'Up', 'Up', 'Return']),
    ('Embed', ['alt+p', 'Right', 'Return']),
    ('Language', ['alt+p', 'Right', 'Down', 'Return']),
    ('Choose Device', ['alt+p', 'Right', 'Right', 'Up', 'Return']),
    ('About', ['alt+p', 'Right', 'Right', 'Right', 'Right', 'Return']),
    ('Check Cable', ['alt+p', 'Down', 'Down', 'Down', 'Return']),
    ('Read (transfer)', ['ctrl+r']),
    ('Print Preview', ['alt+f'] + ['Down'] * 9 + ['Return']),
    ('Sort Channels', ['alt+e', 'Up', 'Up', 'Return']),
    ('Fill Frequencies', ['alt+e', 'Up', 'Up', 'Up', 'Return']),
]


def wait_for(condition, seconds=15):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = condition()
        if found:
            return found
        time.sleep(0.2)
    return None


def application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        try:
            if app is not None and app.get_process_id() == pid:
                return app
        except Exception:  # an application going away while listed
            continue
    return None


def windows(app):
    shown = []
    for window in app:
        if window is not None and window.getState().contains(pyatspi.STATE_SHOWING):
            shown.append(window)
    return shown


def role_name(node):
    return node.getRoleName()


def labelled(node):
    return any(r.getRelationType() == pyatspi.RELATION_LABELLED_BY for r in node.getRelationSet())


def walk(node, path, found, seen):
    for child in node:
        if child is None:
            continue
        states = child.getState()
        if not states.contains(pyatspi.STATE_SHOWING):
            continue
        here = path + [role_name(child)]
        role = child.getRole()
        reachable = states.contains(pyatspi.STATE_FOCUSABLE) or (
            role in CONTROLS and states.contains(pyatspi.STATE_ENABLED))
        if reachable and (role in CONTROLS or states.contains(pyatspi.STATE_FOCUSABLE)):
            name = (child.name or '').strip()
            if not name:
                found.append('no name: ' + ' > '.join(here))
            elif role == pyatspi.ROLE_COMBO_BOX and not labelled(child) and not child.description:
                # A list without a label reads as its current item only.
                found.append('named by its item "%s" only: %s' % (name, ' > '.join(here)))
            seen.append('%s "%s"' % (role_name(child), name))
        if role not in CONTAINERS:
            walk(child, here, found, seen)


def report(title, window):
    found, seen = [], []
    walk(window, [role_name(window)], found, seen)
    name = (window.name or '').strip()
    if not name:
        found.insert(0, 'the window has no name')
    print('%s: "%s", %d controls%s' % (title, name, len(seen), ', all named' if not found else ''))
    for line in found:
        print('  ' + line)
    if os.environ.get('ATSPI_WALK_VERBOSE'):
        for line in seen:
            print('    ' + line)
    return len(found)


def find_table(node):
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is None:
            continue
        if child.getRole() == pyatspi.ROLE_TABLE:
            return child
        found = find_table(child)
        if found:
            return found
    return None


def report_cells(window):
    # A screen reader reads a grid cell by the cell's own name: its channel,
    # its column and its text. Every cell of the first rows must have one.
    table = find_table(window)
    if table is None:
        print('channel grid: not found')
        return 1
    cells = table.queryTable()
    unnamed = []
    for row in range(min(3, cells.nRows)):
        for column in range(cells.nColumns):
            cell = cells.getAccessibleAt(row, column)
            if cell is None or not (cell.name or '').strip():
                unnamed.append('row %d, column %d' % (row + 1, column + 1))
    print('channel grid: %d x %d cells, cell (5, 1) "%s"%s' % (
        cells.nRows, cells.nColumns, (cells.getAccessibleAt(4, 0).name or ''),
        ', all named' if not unnamed else ''))
    for line in unnamed:
        print('  no name: ' + line)
    return len(unnamed)


def keys(*names):
    subprocess.run(['xdotool', 'key', '--delay', '150'] + list(names), check=True)


def x_window(pid):
    # The main window's X id: the only window shown once the program is up.
    found = subprocess.run(['xdotool', 'search', '--sync', '--onlyvisible', '--pid', str(pid), '--name', '.'],
                           capture_output=True, text=True, check=True).stdout.split()
    return found[0]


def main():
    program, document = sys.argv[1:3]
    process = subprocess.Popen([program, document])
    faults = 0
    try:
        app = wait_for(lambda: application(process.pid), 30)
        if not app:
            print('the program did not appear on the accessibility bus')
            return 2
        main_window = wait_for(lambda: windows(app))
        if not main_window:
            print('the main window did not appear')
            return 2
        main_window = main_window[0]
        main_x = x_window(process.pid)
        faults += report('main window', main_window)
        faults += report_cells(main_window)
        for title, opening in DIALOGS:
            # Without a window manager nothing gives the focus back when a
            # dialog closes.
            subprocess.run(['xdotool', 'windowfocus', '--sync', main_x], check=True)
            keys(*opening)
            dialog = wait_for(lambda: [w for w in windows(app) if w != main_window])
            if not dialog:
                print('%s: did not open' % title)
                faults += 1
                continue
            # Let the dialog fill its controls before it is read.
            time.sleep(1)
            faults += report(title, dialog[-1])
            keys('Escape')
            if not wait_for(lambda: len(windows(app)) == 1, 10):
                keys('Escape')
                wait_for(lambda: len(windows(app)) == 1, 10)
        # The Check Channels panel docks in the main window: F7 opens it.
        subprocess.run(['xdotool', 'windowfocus', '--sync', main_x], check=True)
        keys('F7')
        time.sleep(1)
        faults += report('main window with Check Channels', main_window)
    finally:
        process.terminate()
        process.wait(10)
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main())
