// The start routine: the top-score table first, then the game window, which deals the first game.
#include "state/modInitialize.h"

#include "game/FrmMain.h"
#include "topscores/topScoreStore.h"

namespace modInitialize
{

void Main()
{
    loadTopScores();
    if (!frmMain)
        frmMain = new FrmMain;
    frmMain->show();
}

} // namespace modInitialize
