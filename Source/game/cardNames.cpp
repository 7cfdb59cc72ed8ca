#include "game/cardNames.h"

#include "game/suits.h"

QString cardName(int cardSuit, int cardRank)
{
    static const char *const ranks[] = {"ace",   "two",  "three", "four", "five",  "six", "seven",
                                        "eight", "nine", "ten",   "jack", "queen", "king"};
    return QStringLiteral("%1 of %2")
        .arg(QLatin1String(ranks[cardRank - 1]), QLatin1String(suitName(suitOfNumber(cardSuit))));
}
