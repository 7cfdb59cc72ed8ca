// A card as a screen reader says it: "queen of spades".
#pragma once

#include <QString>

QString cardName(int cardSuit, int cardRank);
