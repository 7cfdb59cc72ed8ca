# A screen reader's view of the game through the AT-SPI bus, driven by real keys and a real pointer:
# the windows and what is in them; the card followed from cell to cell by the arrows, by H and by the
# pointer, each move heard as the cell the card now lies over; a placement heard with the card and the
# score; the credits link pressed, and the about page read as a document. Every wait is for something
# to happen, and fails the test when it does not.
import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

heard = []  # (event type, role, name, path) of each event, as it came


def listen(event):
    try:
        heard.append((event.type, event.source.getRoleName(), event.source.name, event.source.path))
    except Exception:
        pass


def fail(what):
    print("FAIL:", what)
    sys.exit(1)


def wait_for(what, condition, seconds=10):
    """Lets the bus's events in until condition() gives something, and gives that."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while context.pending():
            context.iteration(False)
        found = condition()
        if found:
            return found
        time.sleep(0.02)
    fail("waited in vain for " + what)


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def find(node, role, name=None):
    return next((n for n in walk(node) if n.getRoleName() == role and (name is None or n.name == name)), None)


def box(node):
    extents = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return (extents.x, extents.y, extents.width, extents.height)


def xdotool(*steps):
    subprocess.run(["xdotool", *steps], check=True)


def cell_of(name):
    match = re.match(r"Row (\d), column (\d): ", name)
    return (int(match.group(1)), int(match.group(2))) if match else None


def find_game():
    desktop = pyatspi.Registry.getDesktop(0)
    return next((a for a in desktop if a is not None and a.name.lower().startswith("tallyfive")), None)


game = wait_for("the game on the bus", find_game, 30)
frame = wait_for("the game window", lambda: find(game, "frame", "Tallyfive"))
grid = wait_for("the table of cards", lambda: find(frame, "list", "Table of cards"))

# The window and what a screen reader finds in it: no filler, nothing without a name, nothing twice.
shown = list(walk(frame))[1:]
names = [n.name for n in shown]
unnamed = [n.getRoleName() for n in shown if not n.name or n.getRoleName() == "filler"]
if unnamed:
    fail("the game window holds nameless objects or fillers: %s" % unnamed)
if len(set(names)) != len(names):
    fail("two objects of the game window have one name: %s" % sorted(n for n in names if names.count(n) > 1))
cells = {cell_of(c.name): c for c in grid}
if sorted(cells) != [(row, column) for row in range(1, 6) for column in range(1, 6)] or \
        {c.getRoleName() for c in grid} != {"list item"}:
    fail("the cells are %s" % [c.name for c in grid])
for expected in ("Row 3, column 3: ", "Row 2, column 3: empty, a card can go here",
                 "Row 1, column 1: empty, no card can go here yet", "Current Score: 0", "Card to place: ",
                 "Next card: ", "No combination", "Scoring", "New", "Quit", "Tallyfive"):
    if not any(name.startswith(expected) for name in names):
        fail("nothing is named %r" % expected)
if find(frame, "image", "Tallyfive") is None:
    fail("the title picture has no name")
print("the game window:", ", ".join("%s %r" % (n.getRoleName(), n.name) for n in frame))

# The game sends events once it knows of a listener: told now, once it is up and answering.
pyatspi.Registry.registerEventListener(listen, "focus:", "object:property-change:accessible-name")

# The keyboard reaches the grid, and the card moves from cell to cell under the arrows and H.
window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Tallyfive$"], check=True,
                        capture_output=True, text=True).stdout.split()[0]


def activate(node):
    xdotool("windowfocus", "--sync", window)
    wait_for("the game window to take the keys", lambda: node.getState().contains(pyatspi.STATE_ACTIVE))


activate(frame)
waiting_card = next(n for n in frame if n.name.startswith("Card to place: "))
total = next(n for n in frame if n.name.startswith("Current Score: "))
combination = find(frame, "label", "No combination")


def heard_cell(what, since):
    """The cell the last focus event since `since` names, once one has come."""
    def focused():
        events = [e for e in heard[since:] if e[0] == "focus:" and e[1] == "list item"]
        return events[-1][2] if events else None
    return cell_of(wait_for(what, focused))


def press(*steps):
    since = len(heard)
    xdotool(*steps)
    return since


def check_move(key, expected, since):
    where = heard_cell("an event for the move by " + key, since)
    under = next(c for c in grid if box(c) == box(waiting_card))
    if where != cell_of(under.name) or expected not in (None, where):
        fail("after %s the event names %s, the card lies over %r" % (key, where, under.name))
    print("%-6s" % key, "; ".join("%s %s %r" % (e[0], e[1], e[2]) for e in heard[since:]))
    return where


where = check_move("Shift+Tab", None, press("keydown", "shift", "key", "Tab", "keyup", "shift"))
steps = {"Left": (0, -1), "Right": (0, 1), "Up": (-1, 0), "Down": (1, 0)}
for move in range(10):
    if move in (4, 7):
        where = check_move("H", None, press("key", "h"))
        continue
    # Each arrow goes where it moves the card: away from the edge it would stop at.
    key = ("Right" if where[1] < 3 else "Left") if move % 2 else ("Down" if where[0] < 3 else "Up")
    expected = (where[0] + steps[key][0], where[1] + steps[key][1])
    where = check_move(key, expected, press("key", key))

# A placement is heard on the cell that has the focus: the card placed, and the score.
if "a card can go here" not in cells[where].name:
    where = check_move("H", None, press("key", "h"))
placed = "Row %d, column %d: %s. " % (*where, waiting_card.name[len("Card to place: "):])
since = press("key", "Return")
news = wait_for("the placement heard on the focused cell", lambda: next(
    (e[2] for e in heard[since:] if e[0].endswith("accessible-name") and e[2].startswith(placed)), None))
if not news.endswith(". " + total.name):
    fail("the placement is heard as %r, the score reads %r" % (news, total.name))
print("Return", "; ".join("%s %s %r" % (e[0], e[1], e[2]) for e in heard[since:]))

# Cards placed where the coach lays them, until one makes a combination: heard once, when the revision
# is done, and not at each of its steps.
for placement in range(20):
    since = press("key", "h", "key", "Return")
    wait_for("placement %d heard" % placement, lambda: any(e[0].endswith("accessible-name") and
                                                           ". Current Score: " in e[2] for e in heard[since:]))
    changes = [e[2] for e in heard[since:] if e[3] == combination.path]
    if changes and changes[-1] != "No combination":
        break
else:
    fail("no placement made a combination")
if len(changes) != 1:
    fail("one placement changed the combinations' name %d times: %s" % (len(changes), changes))
print("a combination made:", changes[0])

# The pointer, while the grid has the focus, moves the card as the keys do; a click places it.
target = next(c for c in grid if "a card can go here" in c.name)
x, y, width, height = box(target)
# From the gap beside the cell, where the card stays as it was.
since = press("mousemove", str(x - 3), str(y + height // 2), "mousemove", str(x + width // 2), str(y + height // 2))
if heard_cell("an event for the pointer's move", since) != cell_of(target.name):
    fail("the pointer's move is not heard as the cell under it")
placed = "Row %d, column %d: %s" % (*cell_of(target.name), waiting_card.name[len("Card to place: "):])
press("click", "1")
wait_for("the click's card in its cell", lambda: target.name.startswith(placed))
print("after a click:", target.name)

# The credits link is a link a screen reader can press; it opens the about page, read as a document.
link = find(frame, "link", "More about Tallyfive...")
if link is None or "Press" not in [link.queryAction().getName(i) for i in range(link.queryAction().nActions)]:
    fail("the credits link is no link that can be pressed")
link.queryAction().doAction(0)
about = wait_for("the about window", lambda: find(game, "dialog", "About Tallyfive"))
page = wait_for("the about page", lambda: find(about, "document frame"))
text = page.queryText().getText(0, -1)
if "\ufdd0" in text or "\ufdd1" in text:
    fail("the about page reads with its tables' markers")
keys = text[text.rfind("Keys"):text.find("Top scores", text.rfind("Keys"))]
for key in ("Tab, Shift+Tab", "Arrows", "Enter, Space", "Ctrl+Z", "H", "Alt+N, Ctrl+N", "Alt+S", "Alt+Q, Ctrl+Q",
            "F1", "Esc"):
    if "\n" + key + "\n" not in keys:
        fail("the keys of the about page leave out %s" % key)
close = find(about, "push button", "Close")
close.queryAction().doAction(0)
wait_for("the about window to close", lambda: find(game, "dialog", "About Tallyfive") is None)
print("the about page: a document of %d characters" % len(text))

# The scoring window: a frame, its title named, and each top-score row's two labels named apart.
activate(frame)
press("keydown", "alt", "key", "s", "keyup", "alt")
scoring = wait_for("the scoring window", lambda: find(game, "frame", "Scoring"))
rows = [n.name for n in walk(scoring) if n.name.startswith("Top score ")]
if len(rows) != 10 or len(set(rows)) != 10 or find(scoring, "image", "Tallyfive") is None:
    fail("the scoring window's title or rows are named %s" % rows)
print("the top-score rows:", rows[:2])
