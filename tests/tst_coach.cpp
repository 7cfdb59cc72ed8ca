// The coach: it scores lines as the game does; asked by H in the game window it judges from the table,
// the waiting card and the next card, never from the pack beyond, and picks an available cell; near the
// end it weighs every way the game can go.
#include "coach/line.h"
#include "game/FrmMain.h"
#include "rules/handEvaluation.h"
#include "state/modInitialize.h"
#include "support/testSupport.h"

#include <QTest>
#include <algorithm>

using namespace modInitialize;
using namespace testSupport;

namespace
{

// Lays the table given row by row, then the waiting card and those after it, through the game window:
// the centre card first, each card after it beside one laid before, and the rest of the pack after the
// cards given. Cards are written as rank and suit, "7H" or "TC"; ".." is no card.
void layTable(const QString &text)
{
    openGame();
    const QStringList cards = text.split(QLatin1Char(' '));
    QList<int> order{CellCount / 2};
    for (int k = 0; k < order.size(); ++k) {
        for (int cell = 0; cell < CellCount; ++cell) {
            const int apart = std::abs(cell % GridSize - order[k] % GridSize) +
                              std::abs(cell / GridSize - order[k] / GridSize);
            if (cards[cell] != QStringLiteral("..") && apart == 1 && !order.contains(cell))
                order.append(cell);
        }
    }
    QStringList pack;
    for (int k = 0; k < order.size() + cards.size() - CellCount; ++k)
        pack.append(cards[k < order.size() ? order[k] : CellCount + k - order.size()]);
    const QString ranks = QStringLiteral("A23456789TJQK"), suits = QStringLiteral("CDHS");
    for (int card = 0; card < PackSize; ++card) {
        const QString missing = QString(ranks[card % RankCount]) + suits[card / RankCount];
        if (!pack.contains(missing))
            pack.append(missing);
    }
    for (int k = 0; k < PackSize; ++k) {
        packRank[k] = static_cast<int16_t>(ranks.indexOf(pack[k][0]) + 1);
        packSuit[k] = static_cast<int16_t>(suits.indexOf(pack[k][1]) + 1);
    }
    frmMain->setCellOccupied(2, 2, packSuit[0], packRank[0]);
    packPosition = 0;
    frmMain->drawCardFromPack();
    for (int k = 1; k < order.size(); ++k)
        placeOn(order[k]);
}

} // namespace

class TestCoach : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void scoresLinesAsTheGameDoes();
    void choosesFromWhatIsSeen_data();
    void choosesFromWhatIsSeen();
};

void TestCoach::initTestCase()
{
    useTemporaryDataFolder();
    setTopScores(topScoresNoneBeats);
}

// Every hand of five cards, and every line of fewer cards, the cards moved round the line's cells.
void TestCoach::scoresLinesAsTheGameDoes()
{
    long checked = 0, wrong = 0;
    int cards[5];
    const auto choose = [&](const auto &self, int count, int from) -> void {
        int16_t suit[5] = {}, rank[5] = {};
        coach::Line line;
        for (int k = 0; k < count; ++k) {
            const int cell = static_cast<int>((k + checked) % 5);
            suit[cell] = static_cast<int16_t>(cards[k] / 13 + 1);
            rank[cell] = static_cast<int16_t>(cards[k] % 13 + 1);
            coach::addCard(line, coach::makeCard(suit[cell], rank[cell]));
        }
        wrong += coach::scoreLine(line) != evaluateHand(suit, rank).points;
        ++checked;
        for (int card = from; count < 5 && card < 52; ++card) {
            cards[count] = card;
            self(self, count + 1, card + 1);
        }
    };
    choose(choose, 0, 0);
    QCOMPARE(checked, 2598960L + 270725 + 22100 + 1326 + 52 + 1);
    QCOMPARE(wrong, 0L);
}

void TestCoach::choosesFromWhatIsSeen_data()
{
    QTest::addColumn<QString>("cards"); // the table row by row, then the waiting card and those after it
    QTest::addColumn<int>("best");      // the best cell for the waiting card, where it is known
    QTest::newRow("a royal flush to make")
        << ".. .. .. .. .. .. .. .. .. .. TS JS QS KS .. .. .. .. .. .. .. .. .. .. .. AS 2S" << 14;
    // (4, 3) ends a row of four hearts, (4, 4) a row that a 7 or a 9 pairs, and their column gets both
    // cards either way: the waiting 7 of hearts goes where the next card would score less.
    const QString twoLeft = "2D TC 8C 4D 6D AD 9C 6C 3D 5D 3C 2C AC 4C 5C 2H 4H 6H 8H .. 7C 9D JS KC .. 7H ";
    QTest::newRow("2 left, a 9 next: the 7 makes the flush") << twoLeft + "9S 3H" << 19;
    QTest::newRow("2 left, a heart next: the 7 pairs") << twoLeft + "3H 9S" << 24;
    // Dealt at random; named by their best cells and the mean final totals there, found apart from the
    // coach by weighing every card that can still come, in every order. With five cells left the coach
    // plays games out; with four it weighs every card.
    QTest::newRow("5 left: (2, 0) 131.98, (4, 0) 123.94")
        << ".. TS .. 7H .. .. 2S 3S 9S 5S QH 2H 3H JH 5H QD TD 7D 8D .. KC TC 2C JC 5C 3C 4S" << 2;
    QTest::newRow("4 left: (0, 4) 30.89, (3, 4) 29.18")
        << "QD 6D JH KC 9D 4D 5S 5D 5H 3D JD 6H TH TS 3C KS 7S 4S 2S .. .. 3S 2C .. .. 8D 2H" << 20;
    // Here games played out, as with five cells left, would take (3, 4).
    QTest::newRow("4 left: (3, 1) 161.39, (3, 4) 159.65")
        << "3H 3D 9H 3C 3S 2D KD 2H .. .. AC AD AH TC 8S 4D 6D 6H 4C 4S .. 7D 7H .. 5S TH 7S" << 8;
    QTest::newRow("3 left: (1, 4) 14.86, (4, 3) 14.14")
        << "7H 8H 8D KD 3H 2D 7C QD 9H AH 2C KH QC QH 8C 4S JS 6S 5H .. .. .. 4C 6D AD TD 6H" << 21;
}

// From the table on to the end of the game, each card placed where H lays it, as the pointer would:
// first on the best cell where it is known, always on an available one, and on the same one when the
// cards the player has not seen lie in another order; H itself places nothing. Once the game is over
// H does nothing.
void TestCoach::choosesFromWhatIsSeen()
{
    QFETCH(QString, cards);
    QFETCH(int, best);
    layTable(cards);
    for (int placed = packPosition; packPosition < LastCard; best = -1, ++placed) {
        QTest::keyClick(frmMain->windowHandle(), Qt::Key_H);
        const int cell = targetCell;
        QVERIFY2(best < 0 ? availableCells().contains(cell) : cell == best,
                 qPrintable(QString::number(cell)));
        // Again with the pack beyond the next card, unseen, reversed; the card moved away first, so that
        // it comes back only if H is heard.
        std::reverse(packSuit + packPosition + 2, packSuit + PackSize);
        std::reverse(packRank + packPosition + 2, packRank + PackSize);
        hoverCell(cell == 0 ? 1 : 0);
        QTest::keyClick(frmMain->windowHandle(), Qt::Key_H);
        QCOMPARE(int(targetCell), cell);
        QCOMPARE(int(packPosition), placed);
        clickWaitingCard();
    }
    const Snapshot over = takeSnapshot();
    QTest::keyClick(frmMain->windowHandle(), Qt::Key_H);
    QCOMPARE(differences(over, takeSnapshot()), QString());
}

QTEST_MAIN(TestCoach)
#include "tst_coach.moc"
