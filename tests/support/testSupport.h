// What the tests share: a private data folder, a fixed clock, the game window shown and driven
// through real pointer and key events, and snapshots of the whole game state.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <string>

class FrmMain;
class FrmTopScore;

namespace testSupport
{

// Points the top-score store at a fresh temporary folder; call before anything loads.
void useTemporaryDataFolder();

// Makes every new game deal from the same clock reading.
void fixClock(uint64_t reading);

// Starts the program once (Main) and shows the game window, exposed; later calls deal anew.
FrmMain *openGame();

// Fills the top-score table with 1000s, which no total can beat, so no game end asks for a name.
void keepTopScoresHigh();

// The centre of a cell's image, in game-window coordinates.
QPoint cellCentre(int index);

// Moves the pointer to a point of the game window, delivered through the window system the way
// a real pointer's moves are (to whatever control lies under it), on every platform alike.
void movePointer(QPoint position);

// Moves the pointer over a cell, coming from the gap to its left, then clicks the waiting card
// laid over it. A cell that the waiting card already covers sees no move: the card takes it.
void hoverCell(int index);
void clickWaitingCard();
void placeOn(int index);

// Ctrl+Z: press Ctrl, press and release Z, release Ctrl, on the widget that has the focus.
void pressUndo();

// Keys exactly as a keyboard reports them, one event each, to the widget that has the focus:
// "+Ctrl/c +Z/c -Z/c -Ctrl" is + press or - release, the key (Ctrl, Shift, Alt, Z, A), then after
// "/" the modifiers held once the event is done (c Ctrl, s Shift, a Alt); a trailing "*" marks an
// event the keyboard's auto-repeat sends for a held key. QTest's own key calls add presses and
// releases of the modifiers, which would blur the orders tested here.
void sendKeys(const QString &steps);

// A card's picture as the game shows it, read from its file.
QImage cardPicture(int suit, int rank);

// The cells that can take the waiting card now.
QList<int> availableCells();

// Everything a move or an undo may change, for exact comparisons.
struct Snapshot {
    int16_t gridSuit[5][5];
    int16_t gridRank[5][5];
    int32_t gridState[5][5];
    int16_t rowScore[5];
    int16_t columnScore[5];
    int16_t totalScore;
    int16_t packPosition;
    int16_t lastCellX;
    int16_t lastCellY;
    int16_t targetCell;
    QString total;
    QString combination;
    QImage waitingCard;
    QImage nextCard;
    QImage cells[25];
    QStringList shapes; // each cell's shape settings, as text
};
Snapshot takeSnapshot();

// The fields in which two snapshots differ, as text (empty when they are equal).
QString differences(const Snapshot &before, const Snapshot &after);

// What differs now from the snapshot taken before the move at (x, y) that was just undone. The
// combination label must name the row and the column without the card, whatever it read before.
QString differencesAfterUndo(const Snapshot &beforeMove, int x, int y);

// Checks every rule that ties the shared state and the screen together; empty when all hold.
QString checkInvariants();

// The score a line would have, evaluated from the grid afresh.
int16_t lineScore(const int16_t suit[5], const int16_t rank[5]);

// The combination label a revision of cell (x, y) shows now: the row's name, then the column's.
QString combinationAt(int x, int y);

// A control's designed place in twips, as the pixels it takes.
QRect twipsRect(int left, int top, int width, int height);

// The top-score table as one line of text, each entry's score and then its name if it has one:
// "50 Ann, 40 Ben, 0, 0, 0". setTopScores takes the same form; a name runs from the first space to
// the next ", " and may hold spaces of its own.
QString describeTopScores();
void setTopScores(const QString &table);

// Runs `open`, which may open the top-score dialog modally. If it does, `answer` runs from a queued
// call once the dialog is active, and a dialog the answer left open is closed after it. True when
// the dialog opened.
bool answerTopScoreDialog(const std::function<void()> &open,
                          const std::function<void(FrmTopScore *)> &answer);

} // namespace testSupport
