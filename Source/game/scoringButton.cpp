// The Scoring button: shows the scoring window beside the game window, or hides it again.
#include "game/FrmMain.h"

#include "controls/fixedWindow.h"
#include "controls/twips.h"
#include "topscores/FrmScoring.h"
#include "topscores/sideBySide.h"

#include <QScreen>

// Whole windows, frames included. The screen is the game window's work area: a panel along its
// side would otherwise cover the scoring window, and with panels at the top or bottom the width
// is the screen's own.
static void placeBeside(QWidget *main, QWidget *scoring)
{
    const QRect screen = main->screen()->availableGeometry();
    const QRect mainFrame = main->frameGeometry();
    const QRect scoringFrame = scoring->frameGeometry();
    const SideBySide lefts =
        arrangeBeside(pixelsToTwips(screen.width()), pixelsToTwips(mainFrame.left() - screen.left()),
                      pixelsToTwips(mainFrame.width()), pixelsToTwips(scoringFrame.left() - screen.left()),
                      pixelsToTwips(scoringFrame.width()));
    main->move(screen.left() + twipsToPixels(lefts.mainLeft), mainFrame.top());
    scoring->move(screen.left() + twipsToPixels(lefts.scoringLeft), mainFrame.top());
}

void FrmMain::cmdScoring_Click()
{
    if (frmScoring && frmScoring->isVisible()) {
        frmScoring->hide();
        return;
    }
    if (!frmScoring)
        frmScoring = new FrmScoring(this);
    frmScoring->show();
    frmScoring->activateWindow();
    FrmScoring *scoring = frmScoring;
    placeWhenFramed(scoring, [this, scoring] { placeBeside(this, scoring); });
}
