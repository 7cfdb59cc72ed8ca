// What the tests share: a private data folder, a fixed clock, the game window shown and driven
// through real pointer and key events, and snapshots of the whole game state.
#pragma once

#include <QImage>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <string>

class FrmMain;

namespace testSupport
{

// Points the top-score store at a fresh temporary folder; call before anything loads.
void useTemporaryDataFolder();

// Makes every new game deal from the same clock reading.
void fixClock(uint64_t reading);

// Starts the program once (Main) and shows the game window, exposed; later calls deal anew.
FrmMain *openGame();

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

    bool operator==(const Snapshot &other) const;
};
Snapshot takeSnapshot();

// Checks every rule that ties the shared state and the screen together; empty when all hold.
QString checkInvariants();

// The score a line would have, evaluated from the grid afresh.
int16_t lineScore(const int16_t suit[5], const int16_t rank[5]);

} // namespace testSupport
