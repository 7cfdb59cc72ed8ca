// The framed picture of a jack, queen or king: a figure shown to the waist, once upright and once
// turned half round, with the suit and the letter beside its head.
#pragma once

#include "suitSymbols.h"

#include <QPainter>

namespace art
{

// `scale` is 1 for the ordinary card and 2 for the one of twice the resolution.
void drawCourtPanel(QPainter &painter, Suit suit, int rank, int scale);

} // namespace art
