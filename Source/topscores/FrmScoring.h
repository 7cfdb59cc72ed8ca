// The scoring window: the ways to score with their points and an example each, the target score,
// and the top-score table. Modeless and owned by the game window; a click or a character key in
// it closes it for good, until the Scoring button makes it afresh.
#pragma once

#include "controls/ClickTracker.h"
#include "rules/handEvaluation.h"
#include "state/modInitialize.h"

#include <QWidget>

class ImageControl;
class LabelControl;
class LineControl;

class FrmScoring : public QWidget
{
    Q_OBJECT

public:
    explicit FrmScoring(QWidget *owner);
    ~FrmScoring() override;

    // Controls, named as designed. lblText has no elements 14 to 19.
    ImageControl *imgTitle;
    LabelControl *lblText[31] = {};
    ImageControl *imgExample[CombinationCount];
    LineControl *Line1;
    LabelControl *lblTopScore[modInitialize::TopEntries];
    LabelControl *lblTopName[modInitialize::TopEntries];

    // Fills the rows of the entries that hold a score; also run again while the window is open.
    void Form_Load();
    // What a screen reader says of a row of the top scores: its points, and whose they are.
    void nameTopScoreRow(int entry, const QString &points, const QString &name);
    void Form_Click();
    void Form_KeyPress(int KeyAscii);
    void Form_MouseMove(int Button, int Shift, float X, float Y);
    void imgExample_Click(int Index);
    void lblText_Click(int Index);
    void lblTopName_Click(int Index);
    void lblTopScore_Click(int Index);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void createWaysToScore();
    void createTopScores();
    void connectControls();
    LabelControl *addText(int index, const QString &caption, const QFont &font, Qt::Alignment alignment);

    ClickTracker m_click;
};

extern FrmScoring *frmScoring;
