// Thousands of random steps through the game window: clicks on any cell, undos, keys that must not
// undo, and new games. After every step the table, the scores and the labels must agree, and an
// undo right after a placement must give back the table from before it.
#include "support/testSupport.h"

#include "game/FrmMain.h"
#include "game/modInitialize.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <random>

using namespace modInitialize;
using namespace testSupport;

class TestRandomPlay : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void randomSteps_data();
    void randomSteps();

private:
    enum Step { Place, Undo, PlainZ, NewGame };
    Step chooseStep();
    QString place(int cell);
    QString undo();
    QString keysThatMustNotUndo();
    QString newGame();

    std::mt19937 choose;
    bool justPlaced = false; // the last step put a card on the table, and the game goes on
    int placedX = 0;
    int placedY = 0;
    Snapshot beforePlacement;
    int placements = 0;
    int undos = 0;
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
    QTest::addColumn<int>("steps");
    QTest::newRow("seed 1") << 1u << 1500;
    QTest::newRow("seed 2") << 2u << 1500;
    QTest::newRow("seed 3") << 3u << 1500;
}

TestRandomPlay::Step TestRandomPlay::chooseStep()
{
    // A finished game is mostly left for a new one; otherwise placements lead, so games often end.
    const unsigned roll = choose() % 100;
    if (packPosition == 25)
        return roll < 40 ? NewGame : roll < 70 ? Place : Undo;
    if (roll < 70)
        return Place;
    if (roll < 90)
        return Undo;
    if (roll < 99)
        return PlainZ;
    return NewGame;
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
    if (!open) {
        const QString changed = differences(before, takeSnapshot());
        return changed.isEmpty() ? QString() : QStringLiteral("refused click changed ") + changed;
    }
    ++placements;
    if (packPosition != before.packPosition + 1)
        return QStringLiteral("pack position %1 after a placement").arg(packPosition);
    if (gridSuit[x][y] != packSuit[before.packPosition] || gridRank[x][y] != packRank[before.packPosition])
        return QStringLiteral("the cell does not hold the waiting card");
    if (packPosition < 25 && (lastCellX != x || lastCellY != y))
        return QStringLiteral("the move was not recorded");
    justPlaced = packPosition < 25;
    finished += packPosition == 25;
    placedX = x;
    placedY = y;
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
        const QString changed = differences(before, takeSnapshot());
        return changed.isEmpty() ? QString()
                                 : QStringLiteral("undo with nothing recorded changed ") + changed;
    }
    ++undos;
    if (afterPlacement) {
        const QString changed = differencesAfterUndo(beforePlacement, placedX, placedY);
        return changed.isEmpty() ? QString() : QStringLiteral("undo did not give back ") + changed;
    }
    if (packPosition != before.packPosition - 1 || gridState[x][y] != 1)
        return QStringLiteral("undo did not take the card off (%1, %2)").arg(x).arg(y);
    return {};
}

QString TestRandomPlay::keysThatMustNotUndo()
{
    const Snapshot before = takeSnapshot();
    // A plain Z, or Ctrl let go before Z comes up.
    sendKeys(choose() % 2 ? QStringLiteral("+Z -Z") : QStringLiteral("+Ctrl/c +Z/c -Ctrl -Z"));
    const QString changed = differences(before, takeSnapshot());
    return changed.isEmpty() ? QString() : QStringLiteral("keys without Ctrl held changed ") + changed;
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
    QFETCH(int, steps);
    choose.seed(seed);
    keepTopScoresHigh();
    newGame();
    placements = undos = games = finished = 0;

    for (int step = 0; step < steps; ++step) {
        const Step kind = chooseStep();
        QString fault;
        switch (kind) {
        case Place: {
            // Half the clicks go to a cell that can take the card, half anywhere at all.
            const QList<int> open = availableCells();
            fault = place(choose() % 2 && !open.isEmpty() ? open[static_cast<int>(choose() % open.size())]
                                                          : static_cast<int>(choose() % 25));
            break;
        }
        case Undo:
            fault = undo();
            break;
        case PlainZ:
            fault = keysThatMustNotUndo();
            break;
        case NewGame:
            fault = newGame();
            break;
        }
        if (fault.isEmpty())
            fault = checkInvariants();
        QVERIFY2(
            fault.isEmpty(),
            qPrintable(QStringLiteral("step %1 (%2): %3").arg(step).arg(static_cast<int>(kind)).arg(fault)));
    }
    // The walk must have reached both kinds of move and whole games, or it proved little.
    const QString reached = QStringLiteral("%1 placements, %2 undos, %3 new games, %4 played to the end")
                                .arg(placements)
                                .arg(undos)
                                .arg(games)
                                .arg(finished);
    QVERIFY2(placements > steps / 5 && undos > steps / 50 && games > 1 && finished > 0, qPrintable(reached));
    qInfo("%s", qPrintable(reached));
}

QTEST_MAIN(TestRandomPlay)
#include "tst_randomplay.moc"
