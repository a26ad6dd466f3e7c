"""Reads the running app as a screen reader does, through the accessibility bus.

Usage: accessible.py WINDOW_TITLE list|tree|focused
  list     the names of the items of the window's list, one a line, then its description
  tree     the tree items of the window's tree, one a line, indented by depth: name | level N,
           the level as the item's attributes give it
  focused  the name of the item that has the keyboard focus
  contexts the names of the lines of the verbarium window's contexts pane, one a line
Exits non-zero when the app, the window or the list or tree is not (yet) there.
"""
import sys

import pyatspi


def app_window(title):
    for app in pyatspi.Registry.getDesktop(0):
        if app is None or "erbarium" not in (app.name or ""):
            continue
        for window in app:
            if window is not None and window.name == title:
                return window
    return None


def find(node, role, name=None):
    """The first node of the role (and name, if given) below node, breadth first."""
    queue = [node]
    while queue:
        current = queue.pop(0)
        if current.getRole() == role and name in (None, current.name):
            return current
        queue.extend(child for child in current if child is not None)
    return None


def tree_lines(item, depth, lines):
    if item.getRole() != pyatspi.ROLE_TREE_ITEM:
        return
    attributes = dict(pair.split(":", 1) for pair in item.getAttributes())
    lines.append("  " * depth + f"{item.name} | level {attributes.get('level', '?')}")
    for child in item:
        tree_lines(child, depth + 1, lines)


# The roles of the words' items, and of the cells of a list of files.
ITEM_ROLES = (pyatspi.ROLE_LIST_ITEM, pyatspi.ROLE_TREE_ITEM, pyatspi.ROLE_TABLE_CELL)


def focused(node):
    if node.getState().contains(pyatspi.STATE_FOCUSED) and node.getRole() in ITEM_ROLES:
        # Qt calls an item view's current cell focused even while the view is not.
        if node.getRole() != pyatspi.ROLE_TABLE_CELL or node.parent.getState().contains(
            pyatspi.STATE_FOCUSED
        ):
            return node
    for child in node:
        found = focused(child) if child is not None else None
        if found is not None:
            return found
    return None


def main(title, what):
    window = app_window(title)
    if window is None:
        return 1
    if what == "list":
        found = find(window, pyatspi.ROLE_LIST)
        if found is None:
            return 1
        print("\n".join(item.name for item in found))
        print(f"description: {found.description}")
    elif what == "contexts":
        found = find(window, pyatspi.ROLE_LIST, "Occurrences in context")
        if found is None:
            return 1
        print("\n".join(item.name for item in found))
    elif what == "tree":
        found = find(window, pyatspi.ROLE_TREE)
        if found is None:
            return 1
        lines = []
        for item in found:
            tree_lines(item, 0, lines)
        print("\n".join(lines))
    elif what == "focused":
        item = focused(window)
        if item is None:
            return 1
        print(item.name)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
