// The coach: where the waiting card should go, judged from what the player sees and nothing more.
#pragma once

#include "rules/sizes.h"

#include <cstdint>

namespace coach
{

struct Position {
    int16_t suit[GridSize][GridSize], rank[GridSize][GridSize]; // [x][y]; 0 for an empty cell
    int16_t waitingSuit, waitingRank;
    int16_t nextSuit, nextRank; // the card after the waiting one; 0, 0 when none is shown
};

// The cell (x + GridSize * y) of an available cell where the waiting card should go. The same position and
// seed always give the same cell.
int chooseCell(const Position &position, uint64_t seed);

// How many lines the coach has valued or scored since the program started, for measuring its speed.
uint64_t countLineEvaluations();

} // namespace coach
