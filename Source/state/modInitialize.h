// The start-up module: the start routine and every piece of state that outlives one event.
// Plain variables with no Qt types, so that the top-score store builds without Qt. Main starts the
// game window, and so lives beside it, in game/startUp.cpp.
#pragma once

#include "rules/sizes.h"

#include <cstdint>
#include <string>

namespace modInitialize
{

constexpr int16_t True = -1;
constexpr int16_t False = 0;

enum : int16_t {
    TopEntries = 5,  // entries of the top-score table
    NameLength = 20, // characters of a name, as typed and as shown
};

// The states of a cell, of gridState's own type.
enum CellState : int32_t { Unavailable = 0, Available = 1, Occupied = 2 };

// The shuffled pack, in dealing order.
extern int16_t packSuit[PackSize];
extern int16_t packRank[PackSize];

// The grid, indexed [x][y]: column 0..4 from the left, row 0..4 from the top.
extern int16_t gridSuit[GridSize][GridSize];
extern int16_t gridRank[GridSize][GridSize];
extern int32_t gridState[GridSize][GridSize]; // a CellState

extern int16_t rowScore[GridSize];
extern int16_t columnScore[GridSize];
extern int16_t totalScore;

// The line handed to the hand evaluation, and its points.
extern int16_t handSuit[GridSize];
extern int16_t handRank[GridSize];
extern int16_t handScore;

// The top-score table, best first; a score of 0 or less marks an empty entry.
// Names are the system's 8-bit text, UTF-8, as the store keeps them.
extern std::string topName[TopEntries];
extern int16_t topScore[TopEntries];
extern std::string playerName;

// The last move, for undo; lastCellX and lastCellY are -1 when there is nothing to undo.
extern int16_t lastCellX;
extern int16_t lastCellY;
extern int32_t lastStateAbove;
extern int32_t lastStateBelow;
extern int32_t lastStateLeft;
extern int32_t lastStateRight;

extern int16_t ctrlKeyDown;
extern int16_t targetCell;
extern int16_t packPosition;

// Loads the top-score table, then creates and shows the game window, which deals the first game.
void Main();

} // namespace modInitialize
