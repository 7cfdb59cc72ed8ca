// Scores the line in the hand arrays and names its combination on the combination label.
#include "game/FrmMain.h"

#include "controls/LabelControl.h"
#include "rules/handEvaluation.h"
#include "state/modInitialize.h"

using namespace modInitialize;

void FrmMain::calculateScore()
{
    const HandValue value = evaluateHand(handSuit, handRank);
    handScore = value.points;
    const QString name = QString::fromLatin1(value.name);
    QString caption = lblCombination->text();
    if (!caption.isEmpty() && !name.isEmpty())
        caption += QStringLiteral(" / ");
    lblCombination->setText(caption + name);
}
