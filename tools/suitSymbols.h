// The four suits: which suit number shows which face, their colours and their outlines.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QRectF>

namespace art
{

enum class Suit { Clubs, Diamonds, Hearts, Spades };

// The game only tells suit numbers 1 to 4 apart; the pictures decide which face each one shows.
Suit suitOfNumber(int suitNumber);

bool isRed(Suit suit);
QColor suitColour(Suit suit);

// The suit's outline filling `box`, each symbol drawn to the full height of the box.
QPainterPath suitPath(Suit suit, const QRectF &box);

// A symbol drawn once into a picture of its own, so that every pip of a card is the same to the pixel.
QImage drawSuitSymbol(Suit suit, QSize size, QColor colour);

} // namespace art
