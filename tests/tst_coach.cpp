// The coach: it scores lines as the game does, chooses only available cells, never looks at cards the
// player has not seen, and gives the same cell for the same seed. That it takes a royal flush lying
// ready, asked by H in the game window, tst_table shows.
#include "coach/coach.h"
#include "coach/line.h"
#include "rules/handEvaluation.h"
#include "rules/shuffle.h"
#include "state/modInitialize.h"

#include <QTest>
#include <algorithm>
#include <random>
#include <vector>

using namespace modInitialize;

namespace
{

bool isAvailable(const coach::Position &position, int cell)
{
    const auto occupied = [&position](int x, int y) {
        return x >= 0 && x < 5 && y >= 0 && y < 5 && position.suit[x][y] != 0;
    };
    const int x = cell % 5, y = cell / 5;
    return cell >= 0 && cell < CellCount && !occupied(x, y) &&
           (occupied(x - 1, y) || occupied(x + 1, y) || occupied(x, y - 1) || occupied(x, y + 1));
}

void put(coach::Position &position, int cell, int16_t suit, int16_t rank)
{
    position.suit[cell % 5][cell / 5] = suit;
    position.rank[cell % 5][cell / 5] = rank;
}

void shuffleWith(uint64_t seed, int16_t suit[PackSize], int16_t rank[PackSize])
{
    std::mt19937_64 random(seed);
    shufflePack([&random] { return static_cast<double>(random() >> 11) * 0x1.0p-53; }, suit, rank);
}

// A pack in the game's own shuffle: its first card in the centre, the next ones each in a random
// available cell until `placed` lie on the grid, the two after them waiting and next.
coach::Position layOut(uint64_t seed, int placed, int16_t suit[PackSize], int16_t rank[PackSize])
{
    shuffleWith(seed, suit, rank);
    std::mt19937 random(static_cast<uint32_t>(seed));
    coach::Position position{};
    put(position, 12, suit[0], rank[0]);
    for (int k = 1; k < placed; ++k) {
        std::vector<int> cells;
        for (int cell = 0; cell < CellCount; ++cell) {
            if (isAvailable(position, cell))
                cells.push_back(cell);
        }
        put(position, cells[random() % cells.size()], suit[k], rank[k]);
    }
    position.waitingSuit = suit[placed];
    position.waitingRank = rank[placed];
    position.nextSuit = suit[placed + 1];
    position.nextRank = rank[placed + 1];
    return position;
}

} // namespace

class TestCoach : public QObject
{
    Q_OBJECT

private slots:
    void scoresLinesAsTheGameDoes();
    void choosesFromWhatIsSeen_data();
    void choosesFromWhatIsSeen();
};

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
    QTest::addColumn<int>("placed");
    for (const int placed : {1, 2, 6, 13, 20, 21, 22, 23, 24})
        QTest::addRow("%d cards on the grid", placed) << placed;
}

// Over many random grids: an available cell, and the same one again for the same seed once the game's
// shared pack has changed past the next card, where the player has seen nothing.
void TestCoach::choosesFromWhatIsSeen()
{
    QFETCH(int, placed);
    for (int trial = 0; trial < 12; ++trial) {
        const coach::Position position = layOut(100 * placed + trial, placed, packSuit, packRank);
        const int cell = coach::chooseCell(position, trial);
        QVERIFY2(isAvailable(position, cell), qPrintable(QString::number(cell)));
        std::reverse(packSuit + placed + 2, packSuit + PackSize);
        std::reverse(packRank + placed + 2, packRank + PackSize);
        QCOMPARE(coach::chooseCell(position, trial), cell);
    }
}

QTEST_APPLESS_MAIN(TestCoach)
#include "tst_coach.moc"
