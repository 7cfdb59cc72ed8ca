// Choosing the waiting card's cell: a shortlist by the table's value of the grid after the waiting
// and the next card, then games played out to the end from each cell of the shortlist with the
// quick choice for every later card; near the end, every way the game can go instead.
#include "coach/coach.h"

#include "coach/board.h"
#include "coach/random.h"

#include <algorithm>
#include <vector>

namespace coach
{

namespace
{

// Five cells played out 300 times each keep a decision near 10 ms; more of either gains little.
constexpr size_t shortlistSize = 5;
constexpr int playOutsPerCell = 300;
// With four empty cells or fewer, weighing every card that can come takes about a millisecond.
constexpr int exactEmpties = 4;

uint64_t lineEvaluations = 0;

const float *loadLineValues()
{
    static const float *const values = [] {
        static float converted[lineValueKeyCount];
        for (int key = 0; key < lineValueKeyCount; ++key)
            converted[key] = static_cast<float>(lineValueTable[key]) / 64.0f;
        return converted;
    }();
    return values;
}

struct Start {
    Board board;
    int waiting;
    int next; // -1 when no next card is shown
    std::vector<int> unseen;
};

Start readPosition(const Position &position)
{
    Start start{makeEmptyBoard(), makeCard(position.waitingSuit, position.waitingRank), -1, {}};
    for (int x = 0; x < GridSize; ++x) {
        for (int y = 0; y < GridSize; ++y) {
            if (position.suit[x][y] != 0)
                placeCard(start.board, x + GridSize * y, makeCard(position.suit[x][y], position.rank[x][y]));
        }
    }
    if (position.nextSuit != 0)
        start.next = makeCard(position.nextSuit, position.nextRank);
    bool out[PackSize] = {};
    for (int cell = 0; cell < CellCount; ++cell) {
        if (start.board.cells[cell] >= 0)
            out[start.board.cells[cell]] = true;
    }
    out[start.waiting] = true;
    if (start.next >= 0)
        out[start.next] = true;
    for (int card = 0; card < PackSize; ++card) {
        if (!out[card])
            start.unseen.push_back(card);
    }
    return start;
}

// The gain in the table's value of the grid from the card in the cell.
float valuePlacement(const Board &board, int cell, int card, const float *values)
{
    Pool pool = board.pool;
    removeFromPool(pool, card);
    const Line &row = board.lines[findRowLine(cell)];
    const Line &column = board.lines[findColumnLine(cell)];
    Line newRow = row;
    Line newColumn = column;
    addCard(newRow, card);
    addCard(newColumn, card);
    const int emptiesAfter = board.empties - 1;
    lineEvaluations += 4;
    return valueLine(newRow, pool, emptiesAfter, values) + valueLine(newColumn, pool, emptiesAfter, values) -
           valueLine(row, pool, emptiesAfter, values) - valueLine(column, pool, emptiesAfter, values);
}

// The cells worth playing out: the best by the waiting card's gain plus the next card's best gain.
std::vector<int> listShortlist(const Start &start, const float *values)
{
    std::vector<std::pair<float, int>> scored;
    for (uint32_t cells = start.board.available; cells != 0; cells &= cells - 1) {
        const int cell = __builtin_ctz(cells);
        float value = valuePlacement(start.board, cell, start.waiting, values);
        if (start.next >= 0 && start.board.empties > 1) {
            Board after = start.board;
            placeCard(after, cell, start.waiting);
            float bestNext = -1e9f;
            for (uint32_t nextCells = after.available; nextCells != 0; nextCells &= nextCells - 1)
                bestNext =
                    std::max(bestNext, valuePlacement(after, __builtin_ctz(nextCells), start.next, values));
            value += bestNext;
        }
        scored.emplace_back(-value, cell);
    }
    std::sort(scored.begin(), scored.end());
    std::vector<int> shortlist;
    for (size_t k = 0; k < scored.size() && k < shortlistSize; ++k)
        shortlist.push_back(scored[k].second);
    return shortlist;
}

// Places the cards in order, each by the quick choice, until the grid is full; the final total.
int playOut(Board board, const int *cards, const float *values)
{
    for (int k = 0; board.empties > 0; ++k)
        placeCard(board, chooseGreedyCell(board, cards[k], values, lineEvaluations), cards[k]);
    lineEvaluations += lineCount;
    return scoreBoard(board);
}

double weighCell(const Board &board, int cell, int current, int next, std::vector<int> &unseen);

// The best mean final total over the cells for the current card.
double weighBestCell(const Board &board, int current, int next, std::vector<int> &unseen)
{
    double best = -1;
    for (uint32_t cells = board.available; cells != 0; cells &= cells - 1)
        best = std::max(best, weighCell(board, __builtin_ctz(cells), current, next, unseen));
    return best;
}

// The mean final total when the current card goes into the cell, the next card is known, every card
// after it is equally likely to be any unseen one and each is placed as well as can be.
double weighCell(const Board &board, int cell, int current, int next, std::vector<int> &unseen)
{
    Board after = board;
    placeCard(after, cell, current);
    if (after.empties == 1)
        placeCard(after, __builtin_ctz(after.empty), next);
    if (after.empties == 0) {
        lineEvaluations += lineCount;
        return scoreBoard(after);
    }
    double sum = 0;
    for (size_t k = 0; k < unseen.size(); ++k) {
        // Out of the unseen cards while it is played, then back in its place.
        const int card = unseen[k];
        std::swap(unseen[k], unseen.back());
        unseen.pop_back();
        sum += weighBestCell(after, next, card, unseen);
        unseen.push_back(card);
        std::swap(unseen[k], unseen.back());
    }
    return sum / static_cast<double>(unseen.size());
}

int chooseExactly(Start &start)
{
    int bestCell = -1;
    double best = -1;
    for (uint32_t cells = start.board.available; cells != 0; cells &= cells - 1) {
        const int cell = __builtin_ctz(cells);
        const double value = weighCell(start.board, cell, start.waiting, start.next, start.unseen);
        if (value > best + 1e-9) {
            best = value;
            bestCell = cell;
        }
    }
    return bestCell;
}

} // namespace

int chooseCell(const Position &position, uint64_t seed)
{
    const float *values = loadLineValues();
    Start start = readPosition(position);
    // A grid without a card has no available cell to give.
    if (start.board.available == 0)
        return -1;
    if (__builtin_popcount(start.board.available) == 1)
        return __builtin_ctz(start.board.available);
    if (start.board.empties <= exactEmpties && start.next >= 0)
        return chooseExactly(start);

    const std::vector<int> shortlist = listShortlist(start, values);
    if (shortlist.size() == 1)
        return shortlist[0];

    // Every cell of the shortlist meets the same orders of the unseen cards, so that the luck of the
    // draw cancels out of their comparison.
    Random random{seed ^ 0x5DEECE66Dull};
    std::vector<int> cards(1 + start.unseen.size());
    std::vector<long> totals(shortlist.size(), 0);
    const int unknownCount = start.board.empties - (start.next >= 0 ? 2 : 1);
    for (int round = 0; round < playOutsPerCell; ++round) {
        std::vector<int> &unseen = start.unseen;
        int k = 0;
        if (start.next >= 0)
            cards[k++] = start.next;
        for (int drawn = 0; drawn < unknownCount; ++drawn) {
            std::swap(unseen[drawn],
                      unseen[drawn + drawBelow(random, static_cast<int>(unseen.size()) - drawn)]);
            cards[k++] = unseen[drawn];
        }
        for (size_t c = 0; c < shortlist.size(); ++c) {
            Board after = start.board;
            placeCard(after, shortlist[c], start.waiting);
            totals[c] += playOut(after, cards.data(), values);
        }
    }
    size_t best = 0;
    for (size_t c = 1; c < shortlist.size(); ++c) {
        if (totals[c] > totals[best])
            best = c;
    }
    return shortlist[best];
}

uint64_t countLineEvaluations()
{
    return lineEvaluations;
}

} // namespace coach
