// Placing cards on the coach's own grid, and the quick choice it makes for every card of a game
// it imagines.
#include "coach/board.h"

namespace coach
{

namespace
{

// The cells directly above, below, left and right of each cell.
struct Neighbours {
    uint32_t masks[CellCount];
    constexpr Neighbours() : masks()
    {
        for (int cell = 0; cell < CellCount; ++cell) {
            const int x = cell % GridSize;
            const int y = cell / GridSize;
            uint32_t mask = 0;
            if (x > 0)
                mask |= 1u << (cell - 1);
            if (x < GridSize - 1)
                mask |= 1u << (cell + 1);
            if (y > 0)
                mask |= 1u << (cell - GridSize);
            if (y < GridSize - 1)
                mask |= 1u << (cell + GridSize);
            masks[cell] = mask;
        }
    }
};
constexpr Neighbours neighbours;

} // namespace

Board makeEmptyBoard()
{
    Board board{};
    for (int8_t &cell : board.cells)
        cell = -1;
    for (uint8_t &count : board.pool.suitCount)
        count = RankCount;
    for (uint8_t &count : board.pool.rankCount)
        count = SuitCount;
    board.pool.rankMask = static_cast<uint16_t>((1u << RankCount) - 1);
    board.empty = (1u << CellCount) - 1;
    board.available = 0;
    board.empties = CellCount;
    return board;
}

void removeFromPool(Pool &pool, int card)
{
    --pool.suitCount[findSuit(card)];
    if (--pool.rankCount[findRank(card)] == 0)
        pool.rankMask = static_cast<uint16_t>(pool.rankMask & ~(1u << findRank(card)));
}

void placeCard(Board &board, int cell, int card)
{
    board.cells[cell] = static_cast<int8_t>(card);
    addCard(board.lines[findRowLine(cell)], card);
    addCard(board.lines[findColumnLine(cell)], card);
    removeFromPool(board.pool, card);
    board.empty &= ~(1u << cell);
    board.available = (board.available | neighbours.masks[cell]) & board.empty;
    --board.empties;
}

int chooseGreedyCell(const Board &board, int card, const float *values, uint64_t &evaluations)
{
    Pool pool = board.pool;
    removeFromPool(pool, card);
    const int emptiesAfter = board.empties - 1;

    // The lines touched by an available cell, valued as they are once the card is out of the pool.
    float before[lineCount];
    unsigned touched = 0;
    for (uint32_t cells = board.available; cells != 0; cells &= cells - 1) {
        const int cell = __builtin_ctz(cells);
        touched |= (1u << findRowLine(cell)) | (1u << findColumnLine(cell));
    }
    for (unsigned lines = touched; lines != 0; lines &= lines - 1) {
        const int line = __builtin_ctz(lines);
        before[line] = valueLine(board.lines[line], pool, emptiesAfter, values);
        ++evaluations;
    }

    int best = -1;
    float bestGain = 0;
    for (uint32_t cells = board.available; cells != 0; cells &= cells - 1) {
        const int cell = __builtin_ctz(cells);
        Line row = board.lines[findRowLine(cell)];
        Line column = board.lines[findColumnLine(cell)];
        addCard(row, card);
        addCard(column, card);
        const float gain = valueLine(row, pool, emptiesAfter, values) +
                           valueLine(column, pool, emptiesAfter, values) - before[findRowLine(cell)] -
                           before[findColumnLine(cell)];
        evaluations += 2;
        if (best < 0 || gain > bestGain) {
            best = cell;
            bestGain = gain;
        }
    }
    return best;
}

int scoreBoard(const Board &board)
{
    int total = 0;
    for (const Line &line : board.lines)
        total += scoreLine(line);
    return total;
}

} // namespace coach
