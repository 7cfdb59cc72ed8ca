// The shared state, zero and empty at start. Free of Qt, so that the top-score store builds with it
// alone.
#include "state/modInitialize.h"

namespace modInitialize
{

int16_t packSuit[PackSize];
int16_t packRank[PackSize];
int16_t gridSuit[GridSize][GridSize];
int16_t gridRank[GridSize][GridSize];
int32_t gridState[GridSize][GridSize];
int16_t rowScore[GridSize];
int16_t columnScore[GridSize];
int16_t totalScore;
int16_t handSuit[GridSize];
int16_t handRank[GridSize];
int16_t handScore;
std::string topName[TopEntries];
int16_t topScore[TopEntries];
std::string playerName;
int16_t lastCellX;
int16_t lastCellY;
int32_t lastStateAbove;
int32_t lastStateBelow;
int32_t lastStateLeft;
int32_t lastStateRight;
int16_t ctrlKeyDown;
int16_t targetCell;
int16_t packPosition;

} // namespace modInitialize
