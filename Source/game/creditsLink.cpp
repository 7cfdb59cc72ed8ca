// The credits link of the game window: highlighted under the pointer, it opens the about window.
#include "game/FrmMain.h"

#include "about/FrmAbout.h"
#include "controls/LabelControl.h"
#include "controls/palette.h"
#include "controls/vbColor.h"

// The colour alone tells which look the link has; the game window's surface takes the highlight off.
void FrmMain::lblCredits3_MouseMove(int, int, float, float)
{
    if (lblCredits3->foreColor() == palette::linkGreen) {
        lblCredits3->setForeColor(vbButtonText);
        lblCredits3->setUnderline(true);
    }
}

// The about window has no owner; while it is open no other window takes input.
void FrmMain::lblCredits3_Click()
{
    if (!frmAbout)
        frmAbout = new FrmAbout(this);
    frmAbout->exec();
}
