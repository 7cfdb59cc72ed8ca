// Undo: Ctrl+Z (keyboard.cpp) takes back the last placement, once.
#include "game/FrmMain.h"

using namespace modInitialize;

// Gives a neighbour back the state it had before the move; off-grid cells are ignored.
static void restoreNeighbour(FrmMain *form, int x, int y, int32_t state)
{
    if (state == Available)
        form->setCellAvailable(x, y);
    else if (state == Unavailable)
        form->setCellUnavailable(x, y);
}

void FrmMain::undoLastMove()
{
    if (lastCellX == -1)
        return;
    const int16_t x = lastCellX;
    const int16_t y = lastCellY;
    // setCellAvailable leaves occupied cells alone, so the cell is emptied first.
    gridState[x][y] = Unavailable;
    setCellAvailable(x, y);
    restoreNeighbour(this, x, y - 1, lastStateAbove);
    restoreNeighbour(this, x, y + 1, lastStateBelow);
    restoreNeighbour(this, x - 1, y, lastStateLeft);
    restoreNeighbour(this, x + 1, y, lastStateRight);
    packPosition = static_cast<int16_t>(packPosition - 2);
    drawCardFromPack();
    reviseScore(x, y);
    lastCellX = -1;
    lastCellY = -1;
    refreshTarget();
}
