#include "rules/shuffle.h"

#include <cmath>
#include <string>

void shufflePack(const std::function<double()> &nextRandom, int16_t suit[PackSize], int16_t rank[PackSize])
{
    // The unshuffled pack, two letters a card: 64 + suit, then 64 + rank.
    std::string pack;
    for (int cardSuit = 1; cardSuit <= SuitCount; ++cardSuit) {
        for (int cardRank = 1; cardRank <= RankCount; ++cardRank) {
            pack += static_cast<char>(64 + cardSuit);
            pack += static_cast<char>(64 + cardRank);
        }
    }
    for (int k = 0; k < PackSize; ++k) {
        const auto n = static_cast<double>(pack.size() / 2);
        const auto p = static_cast<size_t>(std::floor(n * nextRandom() + 1));
        suit[k] = static_cast<int16_t>(pack[2 * p - 2] - 64);
        rank[k] = static_cast<int16_t>(pack[2 * p - 1] - 64);
        pack.erase(2 * p - 2, 2);
    }
}
