// The grid as the coach plays it in its head: cards by cell, the ten lines kept up to date, the
// cards not yet on the grid, and which cells a card may go into.
#pragma once

#include "coach/lineValue.h"

namespace coach
{

constexpr int lineCount = 2 * GridSize; // the rows, then the columns

struct Board {
    int8_t cells[CellCount]; // the card in cell x + GridSize * y, or -1
    Line lines[lineCount];
    Pool pool;          // the cards not on the grid
    uint32_t empty;     // a bit for each empty cell
    uint32_t available; // a bit for each empty cell beside a card
    int empties;
};

inline int findRowLine(int cell)
{
    return cell / GridSize;
}
inline int findColumnLine(int cell)
{
    return GridSize + cell % GridSize;
}

// An empty grid with the whole pack out.
Board makeEmptyBoard();

void placeCard(Board &board, int cell, int card);

// Takes the card out of the pool: placing it does, and so does valuing the grid as it will be once
// the card lies on it.
void removeFromPool(Pool &pool, int card);

// The available cell where the card adds most to the table's value of the grid; the lowest such
// cell on a tie. Adds the lines it valued to evaluations.
int chooseGreedyCell(const Board &board, int card, const float *values, uint64_t &evaluations);

// The sum of the ten lines' points as they lie.
int scoreBoard(const Board &board);

} // namespace coach
