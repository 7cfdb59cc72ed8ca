// The four suits: their colours and their outlines. Which suit number shows which face is the game's
// own to say, in rules/suits.h.
#pragma once

#include "rules/suits.h"

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QRectF>

namespace art
{

using ::Suit;
using ::suitOfNumber;

bool isRed(Suit suit);
QColor suitColour(Suit suit);

// The suit's outline filling `box`, each symbol drawn to the full height of the box.
QPainterPath suitPath(Suit suit, const QRectF &box);

// A symbol drawn once into a picture of its own, so that every pip of a card is the same to the pixel.
QImage drawSuitSymbol(Suit suit, QSize size, QColor colour);

} // namespace art
