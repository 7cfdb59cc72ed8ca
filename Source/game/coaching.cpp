// The coach: H lays the waiting card over the cell the coach picks, just as the pointer lays it over a
// cell; placing it is still the player's click.
#include "game/FrmMain.h"

#include "coach/coach.h"

using namespace modInitialize;

// One seed for every question, so that the same table always gets the same answer.
constexpr uint64_t coachSeed = 2026;

void FrmMain::askCoach()
{
    // A card waits from the deal until the 25th card lies on the table.
    if (packPosition < 1 || packPosition >= LastCard)
        return;
    // What the player sees: the table, the waiting card and the next card, never the pack beyond.
    coach::Position position{};
    for (int x = 0; x < GridSize; ++x) {
        for (int y = 0; y < GridSize; ++y) {
            position.suit[x][y] = gridSuit[x][y];
            position.rank[x][y] = gridRank[x][y];
        }
    }
    const int next = packPosition + 1;
    position.waitingSuit = packSuit[packPosition];
    position.waitingRank = packRank[packPosition];
    position.nextSuit = packSuit[next];
    position.nextRank = packRank[next];
    const int cell = coach::chooseCell(position, coachSeed);
    if (cell >= 0)
        imgCard_MouseMove(cell, 0, 0, 0, 0);
}
