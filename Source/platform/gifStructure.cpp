#include "platform/gifStructure.h"

namespace platform
{

// The bytes of the colour table that a descriptor's flags announce, if any.
static qsizetype colourTableSize(char flags)
{
    return (flags & 0x80) ? qsizetype(3) << ((flags & 7) + 1) : 0;
}

QString checkGifStructure(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return QStringLiteral("it is empty");
    if (bytes.startsWith("\x89PNG"))
        return QStringLiteral("it is a PNG picture, not a GIF");
    if (bytes.startsWith("\xFF\xD8\xFF"))
        return QStringLiteral("it is a JPEG picture, not a GIF");
    if (!bytes.startsWith("GIF87a") && !bytes.startsWith("GIF89a"))
        return QStringLiteral("it is not a GIF picture");
    // The header, the screen it is drawn on, and that screen's colour table.
    const qsizetype firstBlock = bytes.size() < 13 ? 13 : 13 + colourTableSize(bytes[10]);
    if (bytes.size() <= firstBlock)
        return QStringLiteral("it is a GIF header with no picture after it");
    bool picture = false;
    for (qsizetype at = firstBlock; at < bytes.size();) {
        const char block = bytes[at];
        if (block == ';')
            return picture ? QString() : QStringLiteral("it holds no picture");
        if (block == '!') {
            at += 2; // the extension's label
        } else if (block == ',') {
            if (at + 10 > bytes.size())
                break;
            // The picture's place and size, its own colour table and the size of its first codes.
            at += 10 + colourTableSize(bytes[at + 9]) + 1;
            picture = true;
        } else {
            return QStringLiteral("it is damaged");
        }
        // Sub-blocks, each its length and that many bytes, up to an empty one.
        while (at < bytes.size() && bytes[at] != 0)
            at += 1 + uchar(bytes[at]);
        ++at;
    }
    return QStringLiteral("it is cut short");
}

} // namespace platform
