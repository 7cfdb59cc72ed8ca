# A screen reader's view of the game through the AT-SPI bus: the 25 cells each named by their row,
# column and content, the cards waiting, the score; and a cell's name kept current after a real click
# places a card in it.
import re
import subprocess
import sys
import time

import pyatspi


def find_game():
    for _ in range(300):
        desktop = pyatspi.Registry.getDesktop(0)
        for application in desktop:
            if application is not None and application.name.lower().startswith("tallyfive"):
                return application
        time.sleep(0.1)
    sys.exit("the game did not appear on the AT-SPI bus")


def names(node, found):
    try:
        found[node.name] = node
        for child in node:
            if child is not None:
                names(child, found)
    except Exception:
        pass
    return found


def fail(what):
    print("FAIL:", what)
    sys.exit(1)


game = find_game()
time.sleep(0.5)
shown = names(game, {})
cells = {(int(m.group(1)), int(m.group(2))): m.group(3)
         for name in shown for m in [re.match(r"Row (\d), column (\d): (.+)$", name)] if m}
if sorted(cells) != [(row, column) for row in range(1, 6) for column in range(1, 6)]:
    fail("the cells named are %s" % sorted(cells))
print("25 cells, for instance:", "; ".join("Row %d, column %d: %s" % (r, c, cells[(r, c)]) for r, c in [(3, 3), (2, 3), (1, 1)]))
if cells[(3, 3)].startswith("empty") or cells[(2, 3)] != "empty, a card can go here" or cells[(1, 1)] != "empty":
    fail("the dealt table is named wrongly")
for expected in ("Current Score: 0", "Card to place: ", "Next card: ", "Table of cards", "Scoring", "New", "Quit"):
    if not any(name.startswith(expected) for name in shown):
        fail("nothing is named %r" % expected)
waiting = next(name for name in shown if name.startswith("Card to place: "))[len("Card to place: "):]

# A real pointer lays the card over the cell above the centre and clicks it there.
cell = shown["Row 2, column 3: empty, a card can go here"]
box = cell.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
x, y = box.x + box.width // 2, box.y + box.height // 2
subprocess.run(["xdotool", "mousemove", str(x - box.width), str(y), "mousemove", str(x), str(y), "click", "1"], check=True)
time.sleep(0.5)
now = names(game, {})
if "Row 2, column 3: " + waiting not in now:
    fail("after the click the cell is not named for the %s" % waiting)
print("after a click: Row 2, column 3:", waiting)
