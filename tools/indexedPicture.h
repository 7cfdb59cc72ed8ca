// A picture as a GIF holds it: one palette index per pixel, row by row.
#pragma once

#include <QList>
#include <QRgb>
#include <cstdint>
#include <vector>

namespace art
{

struct IndexedPicture {
    int width = 0;
    int height = 0;
    QList<QRgb> palette;
    std::vector<std::uint8_t> pixels;
    // The palette entry that stands for "see through"; -1 when the picture is opaque.
    int transparentIndex = -1;
};

} // namespace art
