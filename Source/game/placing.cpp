// Placing the waiting card: the player's only move.
#include "game/FrmMain.h"

using namespace modInitialize;

void FrmMain::imgPack_Click()
{
    const auto x = static_cast<int16_t>(getCellX(targetCell));
    const auto y = static_cast<int16_t>(getCellY(targetCell));
    if (gridState[x][y] != Available)
        return;

    // The record for undo: the cell, and what its neighbours were before the move.
    lastCellX = x;
    lastCellY = y;
    if (y > 0)
        lastStateAbove = gridState[x][y - 1];
    if (y < GridSize - 1)
        lastStateBelow = gridState[x][y + 1];
    if (x > 0)
        lastStateLeft = gridState[x - 1][y];
    if (x < GridSize - 1)
        lastStateRight = gridState[x + 1][y];

    setCellOccupied(x, y, packSuit[packPosition], packRank[packPosition]);
    // Neighbours off the grid are ignored by the cell routine itself.
    setCellAvailable(x, y - 1);
    setCellAvailable(x, y + 1);
    setCellAvailable(x - 1, y);
    setCellAvailable(x + 1, y);
    reviseScore(x, y);
    drawCardFromPack();
    refreshTarget();
}
