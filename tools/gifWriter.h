// A GIF89a writer for one still picture: global palette, optional transparent colour, LZW data.
#pragma once

#include "indexedPicture.h"

#include <QByteArray>
#include <QString>

namespace art
{

QByteArray encodeGif(const IndexedPicture &picture);
bool writeGif(const QString &path, const IndexedPicture &picture);

} // namespace art
