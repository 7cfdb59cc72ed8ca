// The grid as a screen reader finds it: a list of the 25 cells, row by row, each with its name and its
// box. The cell under the card is the current one: selected, and focused while the grid has the focus.
#pragma once

class GridControl;
class QAccessibleInterface;

QAccessibleInterface *accessibleGrid(GridControl *grid);
