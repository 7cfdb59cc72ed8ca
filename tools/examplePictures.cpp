#include "examplePictures.h"

#include "colourQuantiser.h"
#include "lettering.h"
#include "suitSymbols.h"

#include <QPainter>
#include <array>

namespace art
{

namespace
{

enum { SmallWidth = 24, SmallHeight = 30, Gap = 2, Margin = (ExampleWidth - 5 * SmallWidth - 4 * Gap) / 2 };

struct SmallCard {
    int rank;
    Suit suit;
    bool counts;
};

using Hand = std::array<SmallCard, 5>;

const Suit C = Suit::Clubs;
const Suit D = Suit::Diamonds;
const Suit H = Suit::Hearts;
const Suit S = Suit::Spades;

const Hand hands[ExampleCount] = {
    {{{4, C, false}, {9, H, true}, {13, S, false}, {9, S, true}, {2, D, false}}},
    {{{7, D, true}, {12, H, true}, {3, S, false}, {7, S, true}, {12, C, true}}},
    {{{5, S, true}, {13, D, false}, {5, H, true}, {5, C, true}, {10, C, false}}},
    {{{8, C, true}, {6, H, true}, {9, D, true}, {5, S, true}, {7, H, true}}},
    {{{13, H, true}, {3, H, true}, {8, H, true}, {10, H, true}, {6, H, true}}},
    {{{11, S, true}, {4, H, true}, {11, D, true}, {4, C, true}, {11, H, true}}},
    {{{1, S, true}, {1, H, true}, {6, C, false}, {1, D, true}, {1, C, true}}},
    {{{9, C, true}, {11, C, true}, {7, C, true}, {10, C, true}, {8, C, true}}},
    {{{10, S, true}, {11, S, true}, {12, S, true}, {13, S, true}, {1, S, true}}},
};

QImage drawSmallCard(const SmallCard &card, int scale)
{
    QImage image(SmallWidth * scale, SmallHeight * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // An outline `scale` pixels wide lying on whole pixels just inside the picture.
    painter.setPen(QPen(QColor(120, 124, 130), 1.0 * scale));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(
        QRectF(0.5 * scale, 0.5 * scale, (SmallWidth - 1) * scale, (SmallHeight - 1) * scale), 2.5 * scale,
        2.5 * scale);

    const QColor colour = suitColour(card.suit);
    drawRank(painter, card.rank, colour, 13 * scale, SmallWidth * scale / 2.0, 3.0 * scale,
             (SmallWidth - 5.0) * scale);

    const QSize symbolSize = QSize(11, 12) * scale;
    painter.drawImage((image.width() - symbolSize.width()) / 2,
                      image.height() - symbolSize.height() - 2 * scale,
                      drawSuitSymbol(card.suit, symbolSize, colour));
    return image;
}

// A card that is not part of the combination fades to grey, red and black alike.
QImage greyed(const QImage &card)
{
    QImage out = card.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    out.reinterpretAsFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb pixel = unpremultiplied(line[x]);
            const int light = (qRed(pixel) * 30 + qGreen(pixel) * 59 + qBlue(pixel) * 11) / 100;
            const int grey = 168 + light * (236 - 168) / 255;
            line[x] = qRgba(grey, grey, grey, qAlpha(pixel));
        }
    }
    return out;
}

} // namespace

QImage drawExample(int example, int scale)
{
    QImage picture(ExampleWidth * scale, ExampleHeight * scale, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    int left = Margin * scale;
    for (const SmallCard &card : hands[example]) {
        const QImage small = drawSmallCard(card, scale);
        painter.drawImage(left, 0, card.counts ? small : greyed(small));
        left += (SmallWidth + Gap) * scale;
    }
    return picture;
}

} // namespace art
