#include "rules/cardNames.h"

#include "rules/sizes.h"
#include "rules/suits.h"

std::string cardName(int cardSuit, int cardRank)
{
    static const char *const ranks[RankCount] = {"ace",   "two",  "three", "four", "five",  "six", "seven",
                                                 "eight", "nine", "ten",   "jack", "queen", "king"};
    return std::string(ranks[cardRank - 1]) + " of " + suitName(suitOfNumber(cardSuit));
}
