// Thousands of random steps through the game window: clicks on any cell, undos and new games.
// After every step the table, the scores and the labels must agree, and an undo right after a
// placement must give back the table from before it.
#include "support/testSupport.h"

#include "game/FrmMain.h"
#include "game/modInitialize.h"

#include <QPushButton>
#include <QTest>
#include <random>

using namespace modInitialize;
using namespace testSupport;

// `what` followed by the differences found, or nothing when there are none.
static QString unless(const char *what, const QString &differences)
{
    return differences.isEmpty() ? QString() : QLatin1String(what) + differences;
}

class TestRandomPlay : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void randomSteps_data();
    void randomSteps();

private:
    QString place(int cell);
    QString undo();
    QString newGame();

    std::mt19937 choose;
    bool justPlaced = false; // the last step put a card on the table, and the game goes on
    int placedCell = 0;
    Snapshot beforePlacement;
    // How often the walk came upon each situation.
    int placements = 0;
    int undos = 0;
    int idleUndos = 0;
    int games = 0;
    int finished = 0;
};

void TestRandomPlay::initTestCase()
{
    useTemporaryDataFolder();
    fixClock(99);
    openGame();
}

void TestRandomPlay::randomSteps_data()
{
    QTest::addColumn<uint>("seed");
    QTest::newRow("seed 1") << 1u;
    QTest::newRow("seed 2") << 2u;
    QTest::newRow("seed 3") << 3u;
}

QString TestRandomPlay::place(int cell)
{
    hoverCell(cell);
    const Snapshot before = takeSnapshot();
    const int x = cell % 5;
    const int y = cell / 5;
    const bool open = gridState[x][y] == 1;
    clickWaitingCard();
    justPlaced = false;
    if (!open)
        return lastCellX != before.lastCellX
                   ? QStringLiteral("refused click changed the record")
                   : unless("refused click changed ", differences(before, takeSnapshot()));
    ++placements;
    if (gridSuit[x][y] != packSuit[before.packPosition] || gridRank[x][y] != packRank[before.packPosition])
        return QStringLiteral("the cell does not hold the waiting card");
    if (packPosition < 25 && (lastCellX != x || lastCellY != y))
        return QStringLiteral("the move was not recorded");
    justPlaced = packPosition < 25;
    finished += packPosition == 25;
    placedCell = cell;
    beforePlacement = before;
    return {};
}

QString TestRandomPlay::undo()
{
    const Snapshot before = takeSnapshot();
    const bool recorded = lastCellX != -1;
    const int x = lastCellX;
    const int y = lastCellY;
    pressUndo();
    const bool afterPlacement = justPlaced;
    justPlaced = false;
    if (lastCellX != -1)
        return QStringLiteral("the record was not cleared");
    if (!recorded) {
        ++idleUndos;
        return unless("undo with nothing recorded changed ", differences(before, takeSnapshot()));
    }
    ++undos;
    if (afterPlacement)
        return unless("undo did not give back ",
                      differencesAfterUndo(beforePlacement, placedCell % 5, placedCell / 5));
    if (packPosition != before.packPosition - 1 || gridState[x][y] != 1)
        return QStringLiteral("undo did not take the card off (%1, %2)").arg(x).arg(y);
    return {};
}

QString TestRandomPlay::newGame()
{
    fixClock(choose());
    QTest::mouseClick(frmMain->cmdNew, Qt::LeftButton);
    justPlaced = false;
    ++games;
    if (packPosition != 1 || lastCellX != -1 || availableCells() != QList<int>({7, 11, 13, 17}))
        return QStringLiteral("the new game is not freshly dealt");
    return {};
}

void TestRandomPlay::randomSteps()
{
    QFETCH(uint, seed);
    const int steps = 1500;
    choose.seed(seed);
    keepTopScoresHigh();
    newGame();
    placements = undos = idleUndos = games = finished = 0;

    for (int step = 0; step < steps; ++step) {
        // A finished game is mostly left for a new one; otherwise placements lead, so games often end.
        const unsigned roll = choose() % 100;
        const bool over = packPosition == 25;
        QString fault;
        if (over ? roll < 40 : roll == 99) {
            fault = newGame();
        } else if (roll < (over ? 70u : 79u)) {
            // Half the clicks go to a cell that can take the card, half anywhere at all.
            const QList<int> open = availableCells();
            fault = place(choose() % 2 && !open.isEmpty() ? open[static_cast<int>(choose() % open.size())]
                                                          : static_cast<int>(choose() % 25));
        } else {
            fault = undo();
        }
        if (fault.isEmpty())
            fault = checkInvariants();
        QVERIFY2(fault.isEmpty(), qPrintable(QStringLiteral("step %1: %2").arg(step).arg(fault)));
    }
    // The walk must have reached both kinds of move, undos with nothing to undo and whole games, or it
    // proved little.
    const QString reached =
        QStringLiteral("%1 placements, %2 undos, %3 with nothing to undo, %4 new games, %5 played to the end")
            .arg(placements)
            .arg(undos)
            .arg(idleUndos)
            .arg(games)
            .arg(finished);
    QVERIFY2(placements > steps / 5 && undos > steps / 50 && idleUndos > steps / 50 && games > 1 &&
                 finished > 0,
             qPrintable(reached));
    qInfo("%s", qPrintable(reached));
}

QTEST_MAIN(TestRandomPlay)
#include "tst_randomplay.moc"
