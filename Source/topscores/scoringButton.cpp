// The Scoring button: shows the scoring window beside the game window, or hides it again.
#include "game/FrmMain.h"

#include "controls/twips.h"
#include "topscores/FrmScoring.h"
#include "topscores/sideBySide.h"

#include <QScreen>
#include <cmath>

static float toTwips(int pixels)
{
    return static_cast<float>(pixels * twipsPerPixel);
}

static int toPixels(float twips)
{
    return static_cast<int>(std::floor(twips / twipsPerPixel));
}

// Whole windows, frames included. The screen is the game window's work area: a panel along its
// side would otherwise cover the scoring window, and with panels at the top or bottom the width
// is the screen's own.
static void placeBeside(QWidget *main, QWidget *scoring)
{
    const QRect screen = main->screen()->availableGeometry();
    const QRect mainFrame = main->frameGeometry();
    const QRect scoringFrame = scoring->frameGeometry();
    const SideBySide lefts = arrangeBeside(
        toTwips(screen.width()), toTwips(mainFrame.left() - screen.left()), toTwips(mainFrame.width()),
        toTwips(scoringFrame.left() - screen.left()), toTwips(scoringFrame.width()));
    main->move(screen.left() + toPixels(lefts.mainLeft), mainFrame.top());
    scoring->move(screen.left() + toPixels(lefts.scoringLeft), mainFrame.top());
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
    placeBeside(this, frmScoring);
}
