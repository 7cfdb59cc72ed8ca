// Playing through the game window with the pointer: whole games to the 25th card, every move refused
// a second time, undone and placed again; clicks that cannot place; the record a placement leaves at
// the grid's edge.
#include "support/testSupport.h"

#include "controls/GridControl.h"
#include "controls/ImageControl.h"
#include "controls/LabelControl.h"
#include "game/FrmMain.h"
#include "state/modInitialize.h"
#include "topscores/FrmTopScore.h"
#include <QLineEdit>

#include <QAccessible>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <random>

using namespace modInitialize;
using namespace testSupport;

namespace
{

// What is wrong once pack card `move` lies in `cell`, or nothing.
QString moveFault(int move, int cell)
{
    const int x = cell % 5;
    const int y = cell / 5;
    QStringList faults{checkInvariants()};
    if (gridSuit[x][y] != packSuit[move] || gridRank[x][y] != packRank[move] ||
        frmMain->imgCard[cell]->picture() != cardPicture(packSuit[move], packRank[move]))
        faults << QStringLiteral("the cell does not show pack card %1").arg(move);
    // Revising the cell afresh changes nothing when the move scored its row and column as it should.
    if (move < 24) {
        const Snapshot placed = takeSnapshot();
        frmMain->reviseScore(x, y);
        faults << differences(placed, takeSnapshot());
    }
    if (move < 24 && (lastCellX != x || lastCellY != y))
        faults << QStringLiteral("move not recorded");
    // After the last card no card waits, and the next-card place shows the back.
    const bool over = move == 24;
    if (frmMain->imgPack->picture() !=
            (over ? QImage() : cardPicture(packSuit[move + 1], packRank[move + 1])) ||
        frmMain->imgNextCard->picture() !=
            (over ? cardPicture(0, 0) : cardPicture(packSuit[move + 2], packRank[move + 2])))
        faults << QStringLiteral("wrong waiting or next card");
    faults.removeAll(QString());
    return faults.isEmpty() ? QString()
                            : QStringLiteral("move %1 on cell (%2, %3): ").arg(move).arg(x).arg(y) +
                                  faults.join(QStringLiteral("; "));
}

} // namespace

class TestPlay : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void wholeGame_data();
    void wholeGame();
    void clickOnACell_data();
    void clickOnACell();
    void placementRecordAndItsUndo_data();
    void placementRecordAndItsUndo();
    void wholeGameByKeys();
    void namesForAScreenReader();
};

void TestPlay::initTestCase()
{
    useTemporaryDataFolder();
}

void TestPlay::init()
{
    fixClock(7001);
    openGame();
    setTopScores(topScoresNoneBeats);
}

void TestPlay::wholeGame_data()
{
    QTest::addColumn<quint64>("clock"); // also picks the cells
    QTest::addColumn<int>("total");     // the final total of that deal played so
    const QList<QPair<quint64, int>> games = {{1, 30}, {2, 23}, {977, 14}, {31337, 36}, {20260101, 8}};
    for (const auto &[clock, total] : games)
        QTest::addRow("deal %llu", clock) << clock << total;
}

void TestPlay::wholeGame()
{
    QFETCH(quint64, clock);
    QFETCH(int, total);
    fixClock(clock);
    QTest::mouseClick(frmMain->cmdNew, Qt::LeftButton);
    std::mt19937 choose(static_cast<unsigned>(clock));

    for (int move = 1; move <= 24; ++move) {
        const QList<int> cells = availableCells();
        QVERIFY2(!cells.isEmpty(), "no cell can take the card");
        const int cell = cells[static_cast<int>(choose() % cells.size())];
        hoverCell(cell);
        const Snapshot before = takeSnapshot();
        clickWaitingCard();
        if (move < 24) {
            // The next card now lies over the cell just filled, which refuses it. Taken back, the
            // card waits over its cell again, and placing it there gives the same table.
            const Snapshot placed = takeSnapshot();
            clickWaitingCard();
            QCOMPARE(differences(placed, takeSnapshot()), QString());
            pressUndo();
            QCOMPARE(differencesAfterUndo(before, cell % 5, cell / 5), QString());
            QCOMPARE(lastCellX, int16_t(-1));
            clickWaitingCard();
            QCOMPARE(differences(placed, takeSnapshot()), QString());
        }
        QCOMPARE(moveFault(move, cell), QString());
    }
    QCOMPARE(packPosition, int16_t(LastCard));
    QCOMPARE(lastCellX, int16_t(-1));
    QCOMPARE(int(totalScore), total);

    // Once over, the game takes neither an undo nor another card.
    const Snapshot over = takeSnapshot();
    pressUndo();
    QCOMPARE(differences(over, takeSnapshot()), QString());
    for (int cell : {0, 12, 24}) {
        hoverCell(cell);
        const Snapshot hovered = takeSnapshot();
        clickWaitingCard();
        QCOMPARE(differences(hovered, takeSnapshot()), QString());
    }
}

void TestPlay::clickOnACell_data()
{
    QTest::addColumn<QList<int>>("before");
    QTest::addColumn<int>("cell");
    QTest::addColumn<bool>("places");

    const QList<int> openAtDeal = {7, 11, 13, 17};
    for (int cell = 0; cell < 25; ++cell)
        QTest::addRow("dealt table, cell %d", cell) << QList<int>() << cell << openAtDeal.contains(cell);
    QTest::newRow("cell opened by the last card") << QList<int>{7} << 2 << true;
    QTest::newRow("cell still closed after a move") << QList<int>{7} << 3 << false;
    QTest::newRow("cell filled earlier") << QList<int>{7, 2, 1} << 2 << false;
    QTest::newRow("cell open before and after") << QList<int>{7, 2, 1} << 13 << true;
}

void TestPlay::clickOnACell()
{
    QFETCH(QList<int>, before);
    QFETCH(int, cell);
    QFETCH(bool, places);
    for (int earlier : before)
        placeOn(earlier);

    hoverCell(cell);
    QCOMPARE(targetCell, int16_t(cell));
    const Snapshot hovered = takeSnapshot();
    const int16_t recordedX = lastCellX;
    clickWaitingCard();
    QCOMPARE(checkInvariants(), QString());
    QCOMPARE(packPosition, int16_t(hovered["pack position"].toInt() + (places ? 1 : 0)));
    if (!places) {
        QCOMPARE(differences(hovered, takeSnapshot()), QString());
        QCOMPARE(lastCellX, recordedX);
    }
}

void TestPlay::placementRecordAndItsUndo_data()
{
    QTest::addColumn<QList<int>>("path"); // the last cell is the one tested
    QTest::addColumn<int>("leftOver");    // what an earlier move left in every slot

    const QList<QPair<const char *, QList<int>>> places = {
        {"corner (0, 0)", {7, 2, 1, 0}},
        {"corner (4, 0)", {7, 2, 3, 4}},
        {"corner (0, 4)", {17, 22, 21, 20}},
        {"corner (4, 4)", {17, 22, 23, 24}},
        {"top edge", {7, 2}},
        {"bottom edge", {17, 22}},
        {"left edge", {11, 10}},
        {"right edge", {13, 14}},
        // (3, 1): closed above and right, open below, filled on the left.
        {"inside, beside open and filled cells", {7, 8}},
    };
    for (const auto &place : places) {
        for (int leftOver : {0, 1, 2})
            QTest::addRow("%s, slots hold %d", place.first, leftOver) << place.second << leftOver;
    }
}

void TestPlay::placementRecordAndItsUndo()
{
    QFETCH(QList<int>, path);
    QFETCH(int, leftOver);
    const int cell = path.takeLast();
    for (int earlier : path)
        placeOn(earlier);
    const int x = cell % 5;
    const int y = cell / 5;

    lastStateAbove = lastStateBelow = lastStateLeft = lastStateRight = leftOver;
    hoverCell(cell);
    const Snapshot before = takeSnapshot();
    int32_t state[5][5];
    std::copy(&gridState[0][0], &gridState[0][0] + 25, &state[0][0]);
    clickWaitingCard();
    QCOMPARE(lastStateAbove, y > 0 ? state[x][y - 1] : leftOver);
    QCOMPARE(lastStateBelow, y < 4 ? state[x][y + 1] : leftOver);
    QCOMPARE(lastStateLeft, x > 0 ? state[x - 1][y] : leftOver);
    QCOMPARE(lastStateRight, x < 4 ? state[x + 1][y] : leftOver);
    QCOMPARE(checkInvariants(), QString());

    // The slots that point off the grid lead nowhere: only the cell and its in-grid neighbours change back.
    pressUndo();
    QCOMPARE(differencesAfterUndo(before, x, y), QString());
}

// A whole game with the keyboard alone, the top-score dialog included: the grid is reached with
// Shift+Tab from the focused Scoring button, the arrows lead the card to a cell, Enter or Space places it.
void TestPlay::wholeGameByKeys()
{
    storeTopScores(QStringLiteral("0, 0, 0, 0, 0"));
    frmMain->cmdScoring->setFocus();
    QWindow *window = frmMain->windowHandle();
    const auto walkTo = [window](int cell) {
        while (targetCell != cell) {
            const int dx = cell % 5 - targetCell % 5, dy = cell / 5 - targetCell / 5;
            QTest::keyClick(window, dx < 0   ? Qt::Key_Left
                                    : dx > 0 ? Qt::Key_Right
                                    : dy < 0 ? Qt::Key_Up
                                             : Qt::Key_Down);
        }
    };
    QTest::keyClick(window, Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), frmMain->grdCells);
    // The card stops at the grid's edges, whatever the number of steps.
    const std::pair<Qt::Key, int> edges[] = {
        {Qt::Key_Right, targetCell / 5 * 5 + 4}, {Qt::Key_Down, 24}, {Qt::Key_Left, 20}, {Qt::Key_Up, 0}};
    for (const auto &[key, edge] : edges) {
        for (int step = 0; step < GridSize; ++step)
            QTest::keyClick(window, key);
        QCOMPARE(int(targetCell), edge);
    }
    while (packPosition < 24) {
        const int cell = availableCells().first();
        walkTo(cell);
        QTest::keyClick(window, packPosition % 2 ? Qt::Key_Return : Qt::Key_Space);
        QCOMPARE(int(gridState[cell % 5][cell / 5]), int(Occupied));
    }
    walkTo(availableCells().first());
    QVERIFY(answerTopScoreDialog([window] { QTest::keyClick(window, Qt::Key_Return); },
                                 [](FrmTopScore *dialog) {
                                     QTest::keyClicks(dialog->txtName, QStringLiteral("Keys"));
                                     QTest::keyClick(dialog->windowHandle(), Qt::Key_Return);
                                 }));
    QCOMPARE(describeTopScores(), QStringLiteral("%1 Keys, 0, 0, 0, 0").arg(totalScore));
}

// What a screen reader is told of the cells, the cards waiting and the score, kept current through a
// placement and its undo: the cell under the card, the one selected, tells what changed there.
void TestPlay::namesForAScreenReader()
{
    fixClock(7030);
    openGame();
    QAccessibleInterface *grid = QAccessible::queryAccessibleInterface(frmMain->grdCells);
    const auto cell = [grid](int index) { return grid->child(index)->text(QAccessible::Name); };
    const auto name = [](QWidget *control) {
        return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
    };
    QCOMPARE(grid->childCount(), int(CellCount));
    QCOMPARE(cell(0), QStringLiteral("Row 1, column 1: empty, no card can go here yet"));
    QCOMPARE(cell(7), QStringLiteral("Row 2, column 3: empty, a card can go here"));
    QCOMPARE(cell(12), QStringLiteral("Row 3, column 3: two of spades"));
    QCOMPARE(name(frmMain->imgPack), QStringLiteral("Card to place: four of clubs"));
    QCOMPARE(name(frmMain->imgNextCard), QStringLiteral("Next card: two of clubs"));
    placeOn(11);
    QCOMPARE(cell(11), QStringLiteral("Row 3, column 2: four of clubs. Current Score: 0"));
    QCOMPARE(cell(10), QStringLiteral("Row 3, column 1: empty, a card can go here"));
    QCOMPARE(name(frmMain->imgPack), QStringLiteral("Card to place: two of clubs"));
    placeOn(13);
    QCOMPARE(name(frmMain->lblCombination), QStringLiteral("Pair"));
    QCOMPARE(cell(11), QStringLiteral("Row 3, column 2: four of clubs"));
    QCOMPARE(cell(13), QStringLiteral("Row 3, column 4: two of clubs. Pair. Current Score: 2"));
    QVERIFY(grid->child(13)->state().selected && !grid->child(11)->state().selected);
    pressUndo();
    QCOMPARE(cell(13), QStringLiteral("Row 3, column 4: empty, a card can go here. Current Score: 0"));
    QCOMPARE(name(frmMain->imgPack), QStringLiteral("Card to place: two of clubs"));
}

QTEST_MAIN(TestPlay)
#include "tst_play.moc"
