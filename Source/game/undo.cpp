// Undo: releasing Z while Ctrl is held takes back the last placement, once.
#include "game/FrmMain.h"

using namespace modInitialize;

constexpr int vbKeyZ = 90;
constexpr int vbCtrlMask = 2;

void FrmMain::Form_KeyDown(int, int Shift)
{
    if (Shift & vbCtrlMask)
        ctrlKeyDown = True;
}

void FrmMain::Form_KeyUp(int KeyCode, int Shift)
{
    // Cleared first, so a flag left from earlier never turns a plain Z into an undo.
    if (!(Shift & vbCtrlMask))
        ctrlKeyDown = False;
    if (KeyCode == vbKeyZ && ctrlKeyDown)
        undoLastMove();
}

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
    refreshPointer();
}
