// The start-up module: the start routine and every piece of state that outlives one event.
// Plain variables with no Qt types, so that the top-score store builds without Qt.
#pragma once

#include <cstdint>
#include <string>

namespace modInitialize
{

constexpr int16_t True = -1;
constexpr int16_t False = 0;

// The shuffled pack, in dealing order.
extern int16_t packSuit[52];
extern int16_t packRank[52];

// The grid, indexed [x][y]: column 0..4 from the left, row 0..4 from the top.
extern int16_t gridSuit[5][5];
extern int16_t gridRank[5][5];
extern int32_t gridState[5][5]; // 0 unavailable, 1 available, 2 occupied

extern int16_t rowScore[5];
extern int16_t columnScore[5];
extern int16_t totalScore;

// The line handed to the hand evaluation, and its points.
extern int16_t handSuit[5];
extern int16_t handRank[5];
extern int16_t handScore;

// The top-score table, best first; a score of 0 or less marks an empty entry.
// Names are the system's 8-bit text, as the store keeps them.
extern std::string topName[5];
extern int16_t topScore[5];
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
