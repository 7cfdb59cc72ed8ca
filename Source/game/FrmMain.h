// The game window: the 5 x 5 grid on the left; the title, the next card, the scores, the buttons
// and the credits on the right. Its routines are spread over files named for what they do.
#pragma once

#include "controls/mousePointer.h"
#include "state/modInitialize.h"

#include <QWidget>

class GridControl;
class ImageControl;
class LabelControl;
class LineControl;
class QKeyEvent;
class QPushButton;
class ShapeControl;

class FrmMain : public QWidget
{
    Q_OBJECT

public:
    FrmMain();

    // Over the window's surface, the pointer becomes the arrow right of PanelLeft (the right-hand
    // panel) and above StripBottom (the strip above the grid), both in twips and both exclusive.
    enum { PanelLeft = 6220, StripBottom = 100 };
    // A card picture fills one cell: 71 x 96 pixels.
    enum { CardWidth = 71, CardHeight = 96 };

    // Controls, named as designed.
    QPushButton *cmdQuit;
    QPushButton *cmdNew;
    QPushButton *cmdScoring;
    ImageControl *imgPack;
    ImageControl *imgCard[CellCount];
    ImageControl *imgNextCard;
    ImageControl *imgTitle;
    LabelControl *lblCredits3;
    ShapeControl *Shape1;
    LabelControl *lblCredits2;
    LineControl *Line4;
    LineControl *Line3;
    LineControl *Line2;
    LineControl *Line1;
    LabelControl *lblCombination;
    LabelControl *lblCredits1;
    LabelControl *lblTotal;
    LabelControl *lblNext;
    ShapeControl *shpEmpty[CellCount];
    ShapeControl *shpNextCard;
    // The grid as the keyboard reaches it.
    GridControl *grdCells;

    // Cells and cards.
    int getControlIndex(int gridPosX, int gridPosY) const;
    int getCellX(int targetCell) const;
    int getCellY(int targetCell) const;
    QString getCardImageFilename(int cardSuit, int cardRank) const;

    // A new game, the draw, and the buttons.
    void Form_Load();
    void drawCardFromPack();
    void cmdNew_Click();
    void cmdQuit_Click();
    void cmdScoring_Click();

    // Cell states and targeting.
    void setCellUnavailable(int targetCellX, int targetCellY);
    void setCellAvailable(int targetCellX, int targetCellY);
    void setCellOccupied(int targetCellX, int targetCellY, int targetSuit, int targetRank);
    void imgCard_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void Form_MouseMove(int Button, int Shift, float X, float Y);

    // Placing, scoring and undo.
    void imgPack_Click();
    void calculateScore();
    void reviseScore(int targetCellX, int targetCellY);
    void Form_KeyDown(Qt::Key KeyCode, Qt::KeyboardModifiers Shift);
    void Form_KeyUp(Qt::Key KeyCode, Qt::KeyboardModifiers Shift);
    void undoLastMove();

    // Loads the top-score dialog, shows it modally over the game window and returns once it has closed.
    void showTopScoreDialog();

    // The coach: lays the waiting card over the cell it picks.
    void askCoach();

    // Playing from the keyboard: the waiting card moved a cell along, as the pointer would move it.
    void moveWaitingCard(int stepX, int stepY);

    // The credits link.
    void lblCredits3_MouseMove(int Button, int Shift, float X, float Y);
    void lblCredits3_Click();

protected:
    void showEvent(QShowEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void createCells();
    void connectControls();
    void endGame();
    QPushButton *accessKeyButton(const QKeyEvent *key) const;
    bool takeGridKey(const QKeyEvent *key);
    bool takeKey(QObject *watched, QKeyEvent *key);
    // What a screen reader says of a cell, of the waiting and the next card, and of the combinations.
    void nameCell(int x, int y);
    void nameCards();
    void nameCombination();
    // After a change of the table: what changed, told to a screen reader.
    void tellTable();
    MousePointer targetPointer() const;
    void refreshTarget();

    // The waiting card was laid under the pointer, and the pointer has not left it since.
    bool m_pointerOnCard = false;
    // The card's picture; one that cannot be loaded ends the program.
    QImage loadCardImage(int cardSuit, int cardRank) const;
    // Every picture of the pack can be loaded, or the program ends before a game is dealt: no finished
    // game is ever lost to a picture that was broken before it began.
    void checkPack() const;
};

extern FrmMain *frmMain;
