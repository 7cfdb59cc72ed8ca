// What the tests share: a private data folder, a fixed clock, the game window shown and driven
// through real pointer and key events, and snapshots of the whole game state.
#pragma once

#include <QColor>
#include <QImage>
#include <QMap>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <utility>

class FrmMain;
class FrmTopScore;
class QObject;

namespace testSupport
{

// What a test object's cases need to run: nothing more than any run has, a real X server, or a window
// manager in one as well (tests/inXServer.sh names it in TALLYFIVE_WINDOW_MANAGER).
enum class Needs { Nothing, XServer, WindowManager };

// Runs, with Qt Test, each of the test objects whose needs this run meets; the others are not run at
// all, so that no run skips a case it cannot test. Called from main() once QApplication exists.
int runTests(int argc, char *argv[], std::initializer_list<std::pair<QObject *, Needs>> objects);

// Points the top-score store at a fresh temporary folder; call before anything loads.
void useTemporaryDataFolder();

// Makes every new game deal from the same clock reading.
void fixClock(uint64_t reading);

// Starts the program once (Main) and shows the game window, exposed; later calls deal anew.
FrmMain *openGame();

// No total beats a table of 1000s, so no game end asks for a name.
const QString topScoresNoneBeats = QStringLiteral("1000, 1000, 1000, 1000, 1000");

// Moves the pointer to a point of the game window, delivered through the window system the way a
// real pointer's moves are, to whatever control lies under it.
void movePointer(QPoint position);

// Moves the pointer over a cell, coming from the gap to its left, then clicks the waiting card laid
// over it. A cell that the waiting card already covers sees no move: the card takes it.
void hoverCell(int index);
void clickWaitingCard();
void placeOn(int index);

// Ctrl+Z: press Ctrl, press and release Z, release Ctrl, on the widget that has the focus.
void pressUndo();

// Keys exactly as a keyboard reports them, one event each, to the widget that has the focus:
// "+Ctrl/c +Z/c -Z/c -Ctrl" is + press or - release, the key (Ctrl, Shift, Alt, Z, A), then after "/"
// the modifiers held once the event is done (c Ctrl, s Shift, a Alt); a trailing "*" marks an event
// the keyboard's auto-repeat sends for a held key. QTest's own key calls add presses and releases of
// the modifiers, which would blur the orders tested here.
void sendKeys(const QString &steps);

// The contrast of two colours, from 1 for the same to 21 for black on white.
double contrast(const QColor &one, const QColor &other);

// A card's picture as the game shows it, read from its file.
QImage cardPicture(int suit, int rank);

// The cells that can take the waiting card now.
QList<int> availableCells();

// Everything a move or an undo may change, for exact comparisons: each field by its name, as text.
using Snapshot = QMap<QString, QString>;
Snapshot takeSnapshot();

// The fields in which two snapshots differ, as text (empty when they are equal).
QString differences(const Snapshot &before, const Snapshot &after);

// What differs now from the snapshot taken before the move at (x, y) that was just undone. The
// combination label must name the row and the column without the card, as revising the cell afresh
// shows them, whatever it read before the move.
QString differencesAfterUndo(const Snapshot &beforeMove, int x, int y);

// Checks the rules that tie the shared state and the screen together; empty when all hold.
QString checkInvariants();

// The top-score table as one line of text, each entry's score and then its name if it has one:
// "50 Ann, 40 Ben, 0, 0, 0". setTopScores takes the same form; a name runs from the first space to the
// next ", " and may hold spaces of its own.
QString describeTopScores();
void setTopScores(const QString &table);
// The same table in memory and in the store, as a game that loaded it at its start holds it.
void storeTopScores(const QString &table);

// Runs `open`, which may open the top-score dialog modally. If it does, `answer` runs from a queued
// call once the dialog is active, and a dialog the answer left open is closed after it. True when the
// dialog opened.
bool answerTopScoreDialog(const std::function<void()> &open,
                          const std::function<void(FrmTopScore *)> &answer);

// Moves the game window, frame included, and waits until the window system has it there too; false
// when it never has.
bool moveAndSettle(QPoint frameTopLeft);

// Lays in `path` what a player's disk may hold in place of a file: "fifo", "device" (a link to
// /dev/zero), "oversized" (a sparse file of `size` bytes) or "bomb" (a GIF of `size` x `size` pixels,
// 5000 x 5000 unless a size under 65536 is given, in 29 bytes). False when it could not.
bool layBadFile(const QString &path, const QString &kind, qint64 size = 0);

// Holds the store's lock from a second process, as another copy of the game in the middle of a save
// would, for as long as it lives; the process has the lock once the constructor returns.
class HeldStoreLock
{
public:
    HeldStoreLock();
    ~HeldStoreLock();
    HeldStoreLock(const HeldStoreLock &) = delete;
    HeldStoreLock &operator=(const HeldStoreLock &) = delete;

private:
    int m_holder;
    int m_release;
};

// Deletes the windows that closed since the last call, as the event loop would.
void unloadClosedWindows();

} // namespace testSupport
