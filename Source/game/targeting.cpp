// Targeting: the waiting card follows the pointer from cell to cell, and the pointer's shape
// tells whether a click there will place it.
#include "game/FrmMain.h"

#include "controls/GridControl.h"
#include "controls/ImageControl.h"
#include "controls/LabelControl.h"
#include "controls/mousePointer.h"
#include "controls/palette.h"
#include "controls/vbColor.h"

using namespace modInitialize;

void FrmMain::imgCard_MouseMove(int Index, int, int, float, float)
{
    imgPack->move(imgCard[Index]->pos());
    imgPack->setVisible(true);
    m_pointerOnCard = true;
    targetCell = static_cast<int16_t>(Index);
    setMousePointer(targetPointer());
    grdCells->setCurrentCell(Index, targetPointer() == vbArrow);
}

// The arrow where a click will place the card, the not-allowed sign anywhere else.
MousePointer FrmMain::targetPointer() const
{
    const auto x = static_cast<int16_t>(getCellX(targetCell));
    const auto y = static_cast<int16_t>(getCellY(targetCell));
    return gridState[x][y] == Available ? vbArrow : vbNoDrop;
}

// After a move, an undo or a new game the cell under the waiting card may have changed its state:
// the pointer over the card, the grid's frame round it and a screen reader say so at once. Elsewhere
// the pointer keeps the shape of what it lies over.
void FrmMain::refreshTarget()
{
    if (imgPack->isVisible() && m_pointerOnCard)
        setMousePointer(targetPointer());
    if (imgPack->isVisible())
        grdCells->setCurrentCell(targetCell, targetPointer() == vbArrow);
    tellTable();
}

void FrmMain::Form_MouseMove(int, int, float X, float Y)
{
    m_pointerOnCard = false;
    // The right-hand panel and the strip above the grid; elsewhere the pointer keeps its shape.
    if (X > PanelLeft || Y < StripBottom)
        setMousePointer(vbArrow);
    // The credits link loses its highlight once the pointer is back on the window's surface.
    if (lblCredits3->foreColor() == vbButtonText) {
        lblCredits3->setForeColor(palette::linkGreen);
        lblCredits3->setUnderline(false);
    }
}
