// Scoring one line of five cells: every combination and its near misses in every order of the
// cells, partly filled lines, the frequencies over every possible hand, and the names on the
// combination label.
#include "support/testSupport.h"

#include "controls/LabelControl.h"
#include "game/FrmMain.h"
#include "rules/cardNames.h"
#include "rules/handEvaluation.h"
#include "state/modInitialize.h"

#include <QMap>
#include <QTest>
#include <algorithm>

using namespace modInitialize;
using namespace testSupport;
using Counts = QMap<QString, int>;

namespace
{

struct Line {
    int16_t suit[5];
    int16_t rank[5];
};

// "AS 2H -- TD KC": rank A 2..9 T J Q K, suit S H D C; "--" is an empty cell.
Line parseLine(const QString &text)
{
    static const QString ranks = QStringLiteral("A23456789TJQK");
    static const QString suits = QStringLiteral("SHDC");
    Line line{};
    const QStringList cards = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    Q_ASSERT(cards.size() == 5);
    for (int k = 0; k < 5; ++k) {
        if (cards[k] == QLatin1String("--"))
            continue;
        line.rank[k] = static_cast<int16_t>(ranks.indexOf(cards[k][0]) + 1);
        line.suit[k] = static_cast<int16_t>(suits.indexOf(cards[k][1]) + 1);
        Q_ASSERT(line.rank[k] > 0 && line.suit[k] > 0);
    }
    return line;
}

} // namespace

class TestHandEvaluation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void combinations_data();
    void combinations();
    void frequencies_data();
    void frequencies();
    void revisionNamesRowThenColumn_data();
    void revisionNamesRowThenColumn();
    void cardNames();
};

void TestHandEvaluation::initTestCase()
{
    useTemporaryDataFolder();
    fixClock(515);
    openGame();
}

void TestHandEvaluation::combinations_data()
{
    QTest::addColumn<QString>("cards");
    QTest::addColumn<int>("points");
    QTest::addColumn<QString>("name");

    QTest::newRow("empty line") << "-- -- -- -- --" << 0 << "";
    QTest::newRow("one ace") << "AS -- -- -- --" << 0 << "";
    QTest::newRow("one king") << "-- -- KD -- --" << 0 << "";
    QTest::newRow("two singles") << "3S -- -- 9H --" << 0 << "";
    QTest::newRow("pair of two cards") << "5S -- 5H -- --" << 2 << "Pair";
    QTest::newRow("pair of kings") << "-- KS -- -- KH" << 2 << "Pair";
    QTest::newRow("pair and singles") << "2S 2H 7D 9C KS" << 2 << "Pair";
    QTest::newRow("pair of aces below a run") << "AS AH 2D 3C 4S" << 2 << "Pair";
    QTest::newRow("two pair in four cells") << "5S 9H 5H 9D --" << 5 << "Two Pair";
    QTest::newRow("two pair and a single") << "5S 9H KS 5H 9D" << 5 << "Two Pair";
    QTest::newRow("triplet in three cells") << "7S 7H -- 7D --" << 10 << "Triplet";
    QTest::newRow("triplet and singles") << "7S 2C 7H 7D JC" << 10 << "Triplet";
    QTest::newRow("four of a kind, fifth empty") << "QS QH -- QD QC" << 50 << "Four of a Kind";
    QTest::newRow("four of a kind and a fifth") << "QS QH 2D QC QD" << 50 << "Four of a Kind";
    QTest::newRow("full house 5 9 5 9 5") << "5S 9H 5H 9D 5D" << 25 << "Full House";
    QTest::newRow("nothing") << "2S 4H 7D 9C KS" << 0 << "";
    QTest::newRow("flush") << "2H 5H 9H JH KH" << 20 << "Flush";
    QTest::newRow("flush with an ace") << "AS 3S 5S 7S 9S" << 20 << "Flush";
    QTest::newRow("four of a suit and an empty cell") << "2H 5H 9H JH --" << 0 << "";
    QTest::newRow("four of a suit and another") << "2H 5H 9C JH KH" << 0 << "";
    QTest::newRow("straight 2 to 6") << "4D 2S 6C 3H 5S" << 15 << "Straight";
    QTest::newRow("straight 9 to king") << "9S TH JD QC KS" << 15 << "Straight";
    QTest::newRow("ace low straight") << "AS 2H 3D 4C 5S" << 15 << "Straight";
    QTest::newRow("ace high straight") << "TS JH QD KC AS" << 15 << "Straight";
    QTest::newRow("four in sequence and an empty cell") << "5S 6H 7D 8C --" << 0 << "";
    QTest::newRow("four in sequence and a gap") << "5S 6H 7D 8C TS" << 0 << "";
    QTest::newRow("four suited in sequence, empty") << "5S 6S 7S 8S --" << 0 << "";
    QTest::newRow("ten to king, ace missing") << "TS JH QD KC --" << 0 << "";
    QTest::newRow("ten to queen and ace, king missing") << "TS JS QS -- AS" << 0 << "";
    QTest::newRow("ace to four and a king") << "AS 2H 3D 4C KS" << 0 << "";
    QTest::newRow("J Q K A 2 mixed") << "JS QH KD AC 2S" << 0 << "";
    QTest::newRow("J Q K A 2 suited") << "JS QS KS AS 2S" << 20 << "Flush";
    QTest::newRow("Q K A 2 3 mixed") << "QS KH AD 2C 3S" << 0 << "";
    QTest::newRow("K A 2 3 4 mixed") << "KS AH 2D 3C 4S" << 0 << "";
    QTest::newRow("straight flush ace low") << "AC 2C 3C 4C 5C" << 75 << "Straight Flush";
    QTest::newRow("straight flush 9 to king") << "9D TD JD QD KD" << 75 << "Straight Flush";
    QTest::newRow("straight flush 6 to 10") << "TH 8H 6H 9H 7H" << 75 << "Straight Flush";
    QTest::newRow("royal flush") << "TS JS QS KS AS" << 100 << "Royal Flush";
    QTest::newRow("royal flush but one suit off") << "TS JS QS KS AH" << 15 << "Straight";
}

void TestHandEvaluation::combinations()
{
    QFETCH(QString, cards);
    QFETCH(int, points);
    QFETCH(QString, name);
    const QStringList cells = cards.split(QLatin1Char(' '));
    int order[5] = {0, 1, 2, 3, 4};
    do {
        QStringList shuffled;
        for (int k : order)
            shuffled << cells[k];
        const Line line = parseLine(shuffled.join(QLatin1Char(' ')));
        const HandValue value = evaluateHand(line.suit, line.rank);
        QVERIFY2(
            value.points == points && name == QLatin1String(value.name),
            qPrintable(shuffled.join(QLatin1Char(' ')) +
                       QStringLiteral(" scores %1 \"%2\"").arg(value.points).arg(QLatin1String(value.name))));
    } while (std::next_permutation(order, order + 5));
}

void TestHandEvaluation::frequencies_data()
{
    QTest::addColumn<int>("empty");       // the cell left empty, none when it is 5
    QTest::addColumn<Counts>("expected"); // by name and points; " 0" is no combination

    QTest::newRow("every five-card hand")
        << 5 << Counts{{"Royal Flush 100", 4},  {"Straight Flush 75", 36}, {"Four of a Kind 50", 624},
                       {"Full House 25", 3744}, {"Flush 20", 5108},        {"Straight 15", 10200},
                       {"Triplet 10", 54912},   {"Two Pair 5", 123552},    {"Pair 2", 1098240},
                       {" 0", 1302540}};
    // Four cards leave room only for the rank groups, wherever the empty cell lies.
    const Counts four{{"Four of a Kind 50", 13},
                      {"Triplet 10", 2496},
                      {"Two Pair 5", 2808},
                      {"Pair 2", 82368},
                      {" 0", 183040}};
    for (int empty = 0; empty < 5; ++empty)
        QTest::addRow("every four cards, cell %d empty", empty) << empty << four;
}

void TestHandEvaluation::frequencies()
{
    QFETCH(int, empty);
    QFETCH(Counts, expected);
    // Every set of different cards from one pack, dealt into the cells other than `empty`.
    const int size = empty < 5 ? 4 : 5;
    int card[5] = {0, 1, 2, 3, 4};
    Counts counts;
    for (int k = 0; k >= 0;) {
        Line line{};
        for (int n = 0, cell = 0; n < size; ++n, ++cell) {
            cell += cell == empty;
            line.suit[cell] = static_cast<int16_t>(card[n] / 13 + 1);
            line.rank[cell] = static_cast<int16_t>(card[n] % 13 + 1);
        }
        const HandValue value = evaluateHand(line.suit, line.rank);
        ++counts[QStringLiteral("%1 %2").arg(QLatin1String(value.name)).arg(value.points)];
        for (k = size - 1; k >= 0 && card[k] == 52 - size + k;)
            --k;
        if (k >= 0) {
            ++card[k];
            for (int j = k + 1; j < size; ++j)
                card[j] = card[j - 1] + 1;
        }
    }
    QCOMPARE(counts, expected);
}

void TestHandEvaluation::revisionNamesRowThenColumn_data()
{
    QTest::addColumn<QString>("row");    // row 4
    QTest::addColumn<QString>("column"); // column 0; the two share the cell (0, 4)
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("total");

    QTest::newRow("pair, nothing") << "TC TS -- -- --"
                                   << "2S -- 9C -- TC"
                                   << "Pair" << 2;
    QTest::newRow("nothing, flush") << "TS 3H -- -- --"
                                    << "2S 4S 6S 8S TS"
                                    << "Flush" << 20;
    QTest::newRow("pair, flush") << "TS TH -- -- --"
                                 << "2S 4S 6S 8S TS"
                                 << "Pair / Flush" << 22;
    QTest::newRow("flush, triplet") << "2D 5D 9D JD KD"
                                    << "2S -- -- 2C 2D"
                                    << "Flush / Triplet" << 30;
    QTest::newRow("nothing, nothing") << "TS 3H -- -- --"
                                      << "2S -- 9C -- TS"
                                      << "" << 0;
}

// A revision scores the cell's row, then its column, names both on the label and sums the total.
void TestHandEvaluation::revisionNamesRowThenColumn()
{
    QFETCH(QString, row);
    QFETCH(QString, column);
    QFETCH(QString, label);
    QFETCH(int, total);
    openGame();
    const Line rowCards = parseLine(row), columnCards = parseLine(column);
    for (int k = 0; k < 5; ++k) {
        gridSuit[k][4] = rowCards.suit[k];
        gridRank[k][4] = rowCards.rank[k];
        gridSuit[0][k] = columnCards.suit[k];
        gridRank[0][k] = columnCards.rank[k];
    }
    frmMain->reviseScore(0, 4);
    QCOMPARE(frmMain->lblCombination->text(), label);
    QCOMPARE(int(totalScore), total);
    QCOMPARE(frmMain->lblTotal->text(), QStringLiteral("Current Score: %1").arg(total));
}

// A card as a screen reader says it: every rank, and every suit.
void TestHandEvaluation::cardNames()
{
    QStringList names;
    for (int rank = 1; rank <= RankCount; ++rank)
        names << QString::fromStdString(cardName(rank % 4 + 1, rank));
    QCOMPARE(
        names.join(QStringLiteral(", ")),
        QStringLiteral("ace of diamonds, two of hearts, three of spades, four of clubs, five of diamonds, "
                       "six of hearts, seven of spades, eight of clubs, nine of diamonds, ten of hearts, "
                       "jack of spades, queen of clubs, king of diamonds"));
}

QTEST_MAIN(TestHandEvaluation)
#include "tst_handevaluation.moc"
