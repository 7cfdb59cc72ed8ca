// A card as a screen reader says it: "queen of spades".
#pragma once

#include <string>

std::string cardName(int cardSuit, int cardRank);
