// Playing through the game window with the pointer: whole games to the 25th card, clicks that
// cannot place, the record a placement leaves at the grid's edge, and what a new game leaves alone.
#include "support/testSupport.h"

#include "controls/ImageControl.h"
#include "controls/LabelControl.h"
#include "game/FrmMain.h"
#include "game/modInitialize.h"

#include <QPushButton>
#include <QTest>
#include <random>

using namespace modInitialize;
using namespace testSupport;

namespace
{

QString where(int cell)
{
    return QStringLiteral("cell (%1, %2)").arg(cell % 5).arg(cell / 5);
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
    void placementRecordsTheNeighbours();
    void edgePlacementAndItsUndo_data();
    void edgePlacementAndItsUndo();
    void newGameLeavesTheWaitingCardWhereItLies();
    void clickAfterNewPlacesTheNewGamesCard();
};

void TestPlay::initTestCase()
{
    useTemporaryDataFolder();
    fixClock(7001);
    openGame();
    keepTopScoresHigh();
}

void TestPlay::init()
{
    fixClock(7001);
    openGame();
    keepTopScoresHigh();
}

void TestPlay::wholeGame_data()
{
    QTest::addColumn<quint64>("clock");
    QTest::addColumn<uint>("seed");
    QTest::newRow("deal 1") << quint64(1) << 11u;
    QTest::newRow("deal 2") << quint64(2) << 12u;
    QTest::newRow("deal 977") << quint64(977) << 13u;
    QTest::newRow("deal 31337") << quint64(31337) << 14u;
    QTest::newRow("deal 20260101") << quint64(20260101) << 15u;
}

void TestPlay::wholeGame()
{
    QFETCH(quint64, clock);
    QFETCH(uint, seed);
    fixClock(clock);
    QTest::mouseClick(frmMain->cmdNew, Qt::LeftButton);
    std::mt19937 choose(seed);

    for (int16_t move = 1; move <= 24; ++move) {
        const QList<int> cells = availableCells();
        QVERIFY2(!cells.isEmpty(), "no cell can take the card");
        const int cell = cells[static_cast<int>(choose() % cells.size())];
        const int x = cell % 5;
        const int y = cell / 5;
        QCOMPARE(packPosition, move);
        placeOn(cell);

        const QString context = QStringLiteral("move %1 on %2: ").arg(move).arg(where(cell));
        const QString fault = checkInvariants();
        QVERIFY2(fault.isEmpty(), qPrintable(context + fault));
        QVERIFY2(gridSuit[x][y] == packSuit[move] && gridRank[x][y] == packRank[move],
                 qPrintable(context + QStringLiteral("the cell does not hold pack card %1").arg(move)));
        QVERIFY2(frmMain->imgCard[cell]->picture() == cardPicture(packSuit[move], packRank[move]),
                 qPrintable(context + QStringLiteral("the cell shows another card")));
        QVERIFY2(frmMain->lblCombination->text() == combinationAt(x, y),
                 qPrintable(
                     context +
                     QStringLiteral("combination label reads \"%1\"").arg(frmMain->lblCombination->text())));
        if (move == 24)
            break;
        QVERIFY2(lastCellX == x && lastCellY == y, qPrintable(context + QStringLiteral("move not recorded")));
        QVERIFY2(frmMain->imgPack->picture() == cardPicture(packSuit[move + 1], packRank[move + 1]),
                 qPrintable(context + QStringLiteral("the waiting card is not pack card %1").arg(move + 1)));
        QVERIFY2(frmMain->imgNextCard->picture() == cardPicture(packSuit[move + 2], packRank[move + 2]),
                 qPrintable(context + QStringLiteral("the next card is not pack card %1").arg(move + 2)));
    }

    QCOMPARE(packPosition, int16_t(25));
    QCOMPARE(frmMain->lblTotal->text(), QStringLiteral("Total: %1").arg(totalScore));
    QCOMPARE(lastCellX, int16_t(-1));
    QCOMPARE(lastCellY, int16_t(-1));
    QVERIFY2(availableCells().isEmpty(), "a cell is still open after the 25th card");
    QVERIFY2(frmMain->imgNextCard->picture() == cardPicture(0, 0),
             "the next-card place does not show the back");

    // Once over, the game takes neither an undo nor another card.
    const Snapshot over = takeSnapshot();
    pressUndo();
    QVERIFY2(differences(over, takeSnapshot()).isEmpty(),
             qPrintable(QStringLiteral("undo after the end: ") + differences(over, takeSnapshot())));
    for (int cell : {0, 12, 24}) {
        hoverCell(cell);
        const Snapshot hovered = takeSnapshot();
        clickWaitingCard();
        QVERIFY2(differences(hovered, takeSnapshot()).isEmpty(),
                 qPrintable(QStringLiteral("click on %1 after the end: ").arg(where(cell)) +
                            differences(hovered, takeSnapshot())));
    }
}

void TestPlay::clickOnACell_data()
{
    QTest::addColumn<QList<int>>("before");
    QTest::addColumn<int>("cell");
    QTest::addColumn<bool>("places");

    const QList<int> openAtDeal = {7, 11, 13, 17};
    for (int cell = 0; cell < 25; ++cell) {
        QTest::addRow("dealt table, cell %d", cell) << QList<int>() << cell << openAtDeal.contains(cell);
    }
    QTest::newRow("cell just filled") << QList<int>{7} << 7 << false;
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
    const QString fault = checkInvariants();
    QVERIFY2(fault.isEmpty(), qPrintable(fault));

    if (!places) {
        QVERIFY2(
            differences(hovered, takeSnapshot()).isEmpty(),
            qPrintable(QStringLiteral("a refused click changed ") + differences(hovered, takeSnapshot())));
        QCOMPARE(lastCellX, recordedX);
        return;
    }
    QCOMPARE(packPosition, int16_t(hovered.packPosition + 1));
    QCOMPARE(gridState[cell % 5][cell / 5], 2);
    QCOMPARE(gridSuit[cell % 5][cell / 5], packSuit[hovered.packPosition]);
    QCOMPARE(gridRank[cell % 5][cell / 5], packRank[hovered.packPosition]);
}

void TestPlay::placementRecordsTheNeighbours()
{
    placeOn(7);
    const int16_t suit = gridSuit[2][1];
    const int16_t rank = gridRank[2][1];
    // Cell (3, 1): closed above and right, open below (beside the centre), filled on the left.
    placeOn(8);
    QCOMPARE(lastCellX, int16_t(3));
    QCOMPARE(lastCellY, int16_t(1));
    QCOMPARE(lastStateAbove, 0);
    QCOMPARE(lastStateBelow, 1);
    QCOMPARE(lastStateLeft, 2);
    QCOMPARE(lastStateRight, 0);
    QCOMPARE(gridState[3][0], 1);
    QCOMPARE(gridState[4][1], 1);
    QCOMPARE(gridState[3][2], 1);
    QCOMPARE(gridState[2][1], 2);
    QVERIFY2(gridSuit[2][1] == suit && gridRank[2][1] == rank, "the card beside the move changed");
}

void TestPlay::edgePlacementAndItsUndo_data()
{
    QTest::addColumn<QList<int>>("path"); // the last cell is the one tested
    QTest::addColumn<int>("leftOver");    // what an earlier move left in every slot

    const QList<QPair<const char *, QList<int>>> edges = {
        {"corner (0, 0)", {7, 2, 1, 0}},
        {"corner (4, 0)", {7, 2, 3, 4}},
        {"corner (0, 4)", {17, 22, 21, 20}},
        {"corner (4, 4)", {17, 22, 23, 24}},
        {"top edge", {7, 2}},
        {"bottom edge", {17, 22}},
        {"left edge", {11, 10}},
        {"right edge", {13, 14}},
    };
    for (const auto &edge : edges) {
        for (int leftOver : {0, 1, 2})
            QTest::addRow("%s, slots hold %d", edge.first, leftOver) << edge.second << leftOver;
    }
}

void TestPlay::edgePlacementAndItsUndo()
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
    clickWaitingCard();
    QCOMPARE(lastStateAbove, y > 0 ? before.gridState[x][y - 1] : leftOver);
    QCOMPARE(lastStateBelow, y < 4 ? before.gridState[x][y + 1] : leftOver);
    QCOMPARE(lastStateLeft, x > 0 ? before.gridState[x - 1][y] : leftOver);
    QCOMPARE(lastStateRight, x < 4 ? before.gridState[x + 1][y] : leftOver);
    QString fault = checkInvariants();
    QVERIFY2(fault.isEmpty(), qPrintable(fault));

    // The slots that point off the grid lead nowhere: only the cell and its in-grid neighbours change back.
    pressUndo();
    fault = differencesAfterUndo(before, x, y);
    QVERIFY2(fault.isEmpty(), qPrintable(QStringLiteral("after the undo: ") + fault));
}

void TestPlay::newGameLeavesTheWaitingCardWhereItLies()
{
    placeOn(7);
    hoverCell(0);
    const QPoint position = frmMain->imgPack->pos();
    QCOMPARE(position, frmMain->imgCard[0]->pos());

    fixClock(8002);
    QTest::mouseClick(frmMain->cmdNew, Qt::LeftButton);
    QCOMPARE(packPosition, int16_t(1));
    QCOMPARE(targetCell, int16_t(0));
    QCOMPARE(frmMain->imgPack->pos(), position);
    QVERIFY2(frmMain->imgPack->isVisible(), "the waiting card was hidden by the new game");
    QVERIFY2(frmMain->imgPack->picture() == cardPicture(packSuit[1], packRank[1]),
             "the waiting card is not the new game's first card to place");
}

void TestPlay::clickAfterNewPlacesTheNewGamesCard()
{
    // The card left lying over (2, 1), which the next deal opens beside its centre card.
    placeOn(7);
    QCOMPARE(gridState[2][1], 2);
    fixClock(8003);
    QTest::mouseClick(frmMain->cmdNew, Qt::LeftButton);
    QCOMPARE(gridState[2][1], 1);

    clickWaitingCard();
    QCOMPARE(packPosition, int16_t(2));
    QCOMPARE(gridState[2][1], 2);
    QCOMPARE(gridSuit[2][1], packSuit[1]);
    QCOMPARE(gridRank[2][1], packRank[1]);
    const QString fault = checkInvariants();
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
}

QTEST_MAIN(TestPlay)
#include "tst_play.moc"
