// The scoring window's event routines: filling the top-score rows, and closing on a click or key.
#include "topscores/FrmScoring.h"

#include "controls/LabelControl.h"
#include "controls/mousePointer.h"
#include "state/modInitialize.h"
#include "topscores/nameText.h"

using namespace modInitialize;

void FrmScoring::Form_Load()
{
    for (int i = 0; i < TopEntries; ++i) {
        if (topScore[i] > 0) {
            lblTopName[i]->setText(firstCharacters(nameToText(topName[i]), NameLength));
            lblTopScore[i]->setText(QString::number(topScore[i]));
            nameTopScoreRow(i, lblTopScore[i]->text() + QStringLiteral(" points"), lblTopName[i]->text());
        }
    }
}

void FrmScoring::nameTopScoreRow(int entry, const QString &points, const QString &name)
{
    const QString row = QStringLiteral("Top score %1").arg(entry + 1);
    lblTopScore[entry]->setAccessibleName(row + QStringLiteral(": ") + points);
    lblTopName[entry]->setAccessibleName(row + QStringLiteral(" by ") + name);
}

void FrmScoring::Form_Click()
{
    close();
}

void FrmScoring::Form_KeyPress(int)
{
    close();
}

void FrmScoring::Form_MouseMove(int, int, float, float)
{
    setMousePointer(vbArrow);
}

void FrmScoring::imgExample_Click(int)
{
    close();
}

void FrmScoring::lblText_Click(int)
{
    close();
}

void FrmScoring::lblTopName_Click(int)
{
    close();
}

void FrmScoring::lblTopScore_Click(int)
{
    close();
}
