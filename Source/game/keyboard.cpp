// Playing from the keyboard: the arrow keys move the waiting card from cell to cell through the same
// targeting routine the pointer drives, so the card, targetCell and the pointer's shape follow alike.
#include "game/FrmMain.h"

#include <algorithm>

using namespace modInitialize;

void FrmMain::moveWaitingCard(int stepX, int stepY)
{
    const int x = std::clamp(getCellX(targetCell) + stepX, 0, GridSize - 1);
    const int y = std::clamp(getCellY(targetCell) + stepY, 0, GridSize - 1);
    imgCard_MouseMove(getControlIndex(x, y), 0, 0, 0, 0);
}
