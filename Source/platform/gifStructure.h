// The structure of a GIF picture, walked from its header through its blocks to its trailer, before
// anything is decoded: a picture that is cut short or is no GIF at all is told apart from a whole one.
#pragma once

#include <QByteArray>
#include <QString>

namespace platform
{

// What is wrong with the picture's structure, or nothing when it is whole. Linear in the picture's
// size: each step passes one block or sub-block.
QString checkGifStructure(const QByteArray &bytes);

} // namespace platform
