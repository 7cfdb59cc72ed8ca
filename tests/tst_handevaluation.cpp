// Scoring one line of five cells: every combination and its near misses, partly filled lines, the
// order of the cells, the frequencies over every possible hand, and the names on the combination
// label.
#include "support/testSupport.h"

#include "controls/LabelControl.h"
#include "game/FrmMain.h"
#include "game/modInitialize.h"
#include "scoring/handEvaluation.h"

#include <QMap>
#include <QTest>
#include <algorithm>

using namespace modInitialize;
using namespace testSupport;

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

QString describe(const Line &line)
{
    QStringList cells;
    for (int k = 0; k < 5; ++k)
        cells.append(QStringLiteral("%1/%2").arg(line.suit[k]).arg(line.rank[k]));
    return cells.join(QLatin1Char(' '));
}

// Scores the line through the game window, appending to whatever the label holds.
void scoreThroughWindow(const Line &line)
{
    std::copy(line.suit, line.suit + 5, handSuit);
    std::copy(line.rank, line.rank + 5, handRank);
    frmMain->calculateScore();
}

// Deals every set of `size` different cards from one pack into cells 0.. of a line, the rest empty.
template <typename Visit> void everyHand(int size, Visit visit)
{
    int card[5] = {0, 1, 2, 3, 4};
    Line line{};
    for (;;) {
        for (int k = 0; k < size; ++k) {
            line.suit[k] = static_cast<int16_t>(card[k] / 13 + 1);
            line.rank[k] = static_cast<int16_t>(card[k] % 13 + 1);
        }
        visit(line);
        int k = size - 1;
        while (k >= 0 && card[k] == 52 - size + k)
            --k;
        if (k < 0)
            return;
        ++card[k];
        for (int j = k + 1; j < size; ++j)
            card[j] = card[j - 1] + 1;
    }
}

} // namespace

class TestHandEvaluation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void combinations_data();
    void combinations();
    void everyOrderScoresAlike_data() { combinations_data(); }
    void everyOrderScoresAlike();
    void frequenciesOfEveryFiveCardHand();
    void fourCardsWithAnEmptyCellNeverMakeAFiveCardCombination();
    void namesJoinOnTheLabel_data();
    void namesJoinOnTheLabel();
    void revisionNamesTheRowFirst();
};

void TestHandEvaluation::initTestCase()
{
    useTemporaryDataFolder();
    fixClock(515);
}

void TestHandEvaluation::init()
{
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
    QTest::newRow("full house, pair first") << "9H 9D 5S 5H 5D" << 25 << "Full House";
    QTest::newRow("nothing") << "2S 4H 7D 9C KS" << 0 << "";
    QTest::newRow("flush") << "2H 5H 9H JH KH" << 20 << "Flush";
    QTest::newRow("flush with an ace") << "AS 3S 5S 7S 9S" << 20 << "Flush";
    QTest::newRow("four of a suit, last empty") << "2H 5H 9H JH --" << 0 << "";
    QTest::newRow("four of a suit, first empty") << "-- 5H 9H JH KH" << 0 << "";
    QTest::newRow("four of a suit, middle empty") << "2H 5H -- JH KH" << 0 << "";
    QTest::newRow("four of a suit and another") << "2H 5H 9C JH KH" << 0 << "";
    QTest::newRow("straight 2 to 6") << "4D 2S 6C 3H 5S" << 15 << "Straight";
    QTest::newRow("straight 9 to king") << "9S TH JD QC KS" << 15 << "Straight";
    QTest::newRow("ace low straight") << "AS 2H 3D 4C 5S" << 15 << "Straight";
    QTest::newRow("ace high straight") << "TS JH QD KC AS" << 15 << "Straight";
    QTest::newRow("ace high straight, ace first") << "AH KC QD JH TS" << 15 << "Straight";
    QTest::newRow("four in sequence, last empty") << "5S 6H 7D 8C --" << 0 << "";
    QTest::newRow("four in sequence, first empty") << "-- 6H 7D 8C 9S" << 0 << "";
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
    QTest::newRow("royal flush, ace first") << "AH KH QH JH TH" << 100 << "Royal Flush";
    QTest::newRow("royal flush but one suit off") << "TS JS QS KS AH" << 15 << "Straight";
}

void TestHandEvaluation::combinations()
{
    QFETCH(QString, cards);
    QFETCH(int, points);
    QFETCH(QString, name);
    const Line line = parseLine(cards);

    const HandValue value = evaluateHand(line.suit, line.rank);
    QCOMPARE(value.points, points);
    QCOMPARE(QString::fromLatin1(value.name), name);

    frmMain->lblCombination->setText(QString());
    handScore = -7;
    scoreThroughWindow(line);
    QVERIFY2(handScore == points, qPrintable(QStringLiteral("calculateScore gave %1").arg(handScore)));
    QVERIFY2(frmMain->lblCombination->text() == name,
             qPrintable(QStringLiteral("label reads \"%1\"").arg(frmMain->lblCombination->text())));
    QVERIFY2(std::equal(line.rank, line.rank + 5, handRank) && std::equal(line.suit, line.suit + 5, handSuit),
             "calculateScore changed the hand it was given");
}

void TestHandEvaluation::everyOrderScoresAlike()
{
    QFETCH(QString, cards);
    QFETCH(int, points);
    const Line line = parseLine(cards);
    int order[5] = {0, 1, 2, 3, 4};
    int orders = 0;
    do {
        Line shuffled;
        for (int k = 0; k < 5; ++k) {
            shuffled.suit[k] = line.suit[order[k]];
            shuffled.rank[k] = line.rank[order[k]];
        }
        const int16_t got = evaluateHand(shuffled.suit, shuffled.rank).points;
        QVERIFY2(got == points, qPrintable(QStringLiteral("%1 scores %2").arg(describe(shuffled)).arg(got)));
        ++orders;
    } while (std::next_permutation(order, order + 5));
    QCOMPARE(orders, 120);
}

void TestHandEvaluation::frequenciesOfEveryFiveCardHand()
{
    QMap<QString, int> counts;
    QMap<QString, int> points;
    everyHand(5, [&](const Line &line) {
        const HandValue value = evaluateHand(line.suit, line.rank);
        const QString name = QString::fromLatin1(value.name);
        ++counts[name];
        points[name] = value.points;
    });

    const QMap<QString, int> expected = {
        {QStringLiteral("Royal Flush"), 4},      {QStringLiteral("Straight Flush"), 36},
        {QStringLiteral("Four of a Kind"), 624}, {QStringLiteral("Full House"), 3744},
        {QStringLiteral("Flush"), 5108},         {QStringLiteral("Straight"), 10200},
        {QStringLiteral("Triplet"), 54912},      {QStringLiteral("Two Pair"), 123552},
        {QStringLiteral("Pair"), 1098240},       {QString(), 1302540},
    };
    QCOMPARE(counts, expected);

    const QMap<QString, int> expectedPoints = {
        {QStringLiteral("Royal Flush"), 100},
        {QStringLiteral("Straight Flush"), 75},
        {QStringLiteral("Four of a Kind"), 50},
        {QStringLiteral("Full House"), 25},
        {QStringLiteral("Flush"), 20},
        {QStringLiteral("Straight"), 15},
        {QStringLiteral("Triplet"), 10},
        {QStringLiteral("Two Pair"), 5},
        {QStringLiteral("Pair"), 2},
        {QString(), 0},
    };
    QCOMPARE(points, expectedPoints);
}

void TestHandEvaluation::fourCardsWithAnEmptyCellNeverMakeAFiveCardCombination()
{
    // Four cards leave room only for the rank groups, wherever the empty cell lies.
    const QMap<QString, int> expected = {
        {QStringLiteral("Four of a Kind"), 13},
        {QStringLiteral("Triplet"), 2496},
        {QStringLiteral("Two Pair"), 2808},
        {QStringLiteral("Pair"), 82368},
        {QString(), 183040},
    };
    for (int empty = 0; empty < 5; ++empty) {
        QMap<QString, int> counts;
        everyHand(4, [&](const Line &four) {
            Line line{};
            for (int k = 0, from = 0; k < 5; ++k) {
                if (k == empty)
                    continue;
                line.suit[k] = four.suit[from];
                line.rank[k] = four.rank[from];
                ++from;
            }
            ++counts[QString::fromLatin1(evaluateHand(line.suit, line.rank).name)];
        });
        QVERIFY2(counts == expected, qPrintable(QStringLiteral("empty cell %1").arg(empty)));
    }
}

void TestHandEvaluation::namesJoinOnTheLabel_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("label");

    const QString pair = QStringLiteral("2S 2H -- -- --");
    const QString flush = QStringLiteral("2H 5H 9H JH KH");
    const QString nothing = QStringLiteral("2S -- 9C -- --");
    QTest::newRow("pair, nothing") << "" << pair << nothing << "Pair";
    QTest::newRow("nothing, flush") << "" << nothing << flush << "Flush";
    QTest::newRow("pair, flush") << "" << pair << flush << "Pair / Flush";
    QTest::newRow("flush, pair") << "" << flush << pair << "Flush / Pair";
    QTest::newRow("nothing, nothing") << "" << nothing << nothing << "";
    QTest::newRow("after an earlier name") << "Triplet" << nothing << flush << "Triplet / Flush";
    QTest::newRow("after an earlier name, nothing") << "Triplet" << nothing << nothing << "Triplet";
}

void TestHandEvaluation::namesJoinOnTheLabel()
{
    QFETCH(QString, before);
    QFETCH(QString, row);
    QFETCH(QString, column);
    QFETCH(QString, label);
    frmMain->lblCombination->setText(before);
    scoreThroughWindow(parseLine(row));
    scoreThroughWindow(parseLine(column));
    QCOMPARE(frmMain->lblCombination->text(), label);
}

void TestHandEvaluation::revisionNamesTheRowFirst()
{
    // Column 0 holds a flush; row 4 crosses it with a pair of tens in its first two cells.
    const Line column = parseLine(QStringLiteral("2S 4S 6S 8S TS"));
    for (int k = 0; k < 5; ++k) {
        gridSuit[0][k] = column.suit[k];
        gridRank[0][k] = column.rank[k];
    }
    gridSuit[1][4] = 2;
    gridRank[1][4] = 10;
    frmMain->reviseScore(0, 4);
    QCOMPARE(rowScore[4], int16_t(2));
    QCOMPARE(columnScore[0], int16_t(20));
    QCOMPARE(totalScore, int16_t(22));
    QCOMPARE(frmMain->lblCombination->text(), QStringLiteral("Pair / Flush"));
    QCOMPARE(frmMain->lblTotal->text(), QStringLiteral("Current Score: 22"));
}

QTEST_MAIN(TestHandEvaluation)
#include "tst_handevaluation.moc"
