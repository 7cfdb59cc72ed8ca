// The nine example hands of the scoring window, 130 x 30 pixels each: five small cards in a row with
// clear gaps between them, the cards that make the combination in colour and the others greyed.
#pragma once

#include <QImage>

namespace art
{

enum { ExampleWidth = 130, ExampleHeight = 30, ExampleCount = 9 };

// 0 one pair, 1 two pair, 2 triplet, 3 straight, 4 flush, 5 full house, 6 four of a kind,
// 7 straight flush, 8 royal flush.
// `scale` is 1 for the ordinary picture and 2 for the one of twice the resolution.
QImage drawExample(int example, int scale);

} // namespace art
