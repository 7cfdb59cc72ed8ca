#include "gifWriter.h"

#include <QFile>
#include <QSaveFile>
#include <vector>

namespace art
{

namespace
{

enum { MaxCodeBits = 12, MaxCodes = 1 << MaxCodeBits };

void putWord(QByteArray &out, int value)
{
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

// Codes are packed least significant bit first and cut into sub-blocks of at most 255 bytes.
class CodeStream
{
public:
    void put(int code, int bits)
    {
        m_buffer |= std::uint32_t(code) << m_bitCount;
        m_bitCount += bits;
        while (m_bitCount >= 8) {
            m_bytes.append(char(m_buffer & 0xFF));
            m_buffer >>= 8;
            m_bitCount -= 8;
        }
    }

    void appendBlocks(QByteArray &out)
    {
        if (m_bitCount > 0)
            m_bytes.append(char(m_buffer & 0xFF));
        m_buffer = 0;
        m_bitCount = 0;
        for (qsizetype at = 0; at < m_bytes.size(); at += 255) {
            const qsizetype length = std::min<qsizetype>(255, m_bytes.size() - at);
            out.append(char(length));
            out.append(m_bytes.constData() + at, length);
        }
        out.append(char(0));
    }

private:
    QByteArray m_bytes;
    std::uint32_t m_buffer = 0;
    int m_bitCount = 0;
};

int bitsForColours(qsizetype count)
{
    int bits = 1;
    while ((qsizetype(1) << bits) < count)
        ++bits;
    return bits;
}

void appendLzwData(QByteArray &out, const IndexedPicture &picture, int minimumCodeSize)
{
    const int clearCode = 1 << minimumCodeSize;
    const int endCode = clearCode + 1;
    // child[code * 256 + byte] is the code for "code's string followed by byte", or 0 when not yet known.
    std::vector<std::uint16_t> child(std::size_t(MaxCodes) * 256, 0);
    int nextCode = endCode + 1;
    int codeSize = minimumCodeSize + 1;

    CodeStream stream;
    stream.put(clearCode, codeSize);
    int current = -1;
    for (const std::uint8_t pixel : picture.pixels) {
        if (current < 0) {
            current = pixel;
            continue;
        }
        const std::size_t slot = std::size_t(current) * 256 + pixel;
        if (child[slot] != 0) {
            current = child[slot];
            continue;
        }
        stream.put(current, codeSize);
        if (nextCode < MaxCodes) {
            child[slot] = std::uint16_t(nextCode);
            // The reader widens its codes as soon as the table reaches the next power of two.
            if (nextCode == (1 << codeSize) && codeSize < MaxCodeBits)
                ++codeSize;
            ++nextCode;
        } else {
            // A full table starts afresh, so long pictures keep compressing.
            stream.put(clearCode, codeSize);
            std::fill(child.begin(), child.end(), 0);
            nextCode = endCode + 1;
            codeSize = minimumCodeSize + 1;
        }
        current = pixel;
    }
    if (current >= 0)
        stream.put(current, codeSize);
    stream.put(endCode, codeSize);

    out.append(char(minimumCodeSize));
    stream.appendBlocks(out);
}

} // namespace

QByteArray encodeGif(const IndexedPicture &picture)
{
    const int tableBits = bitsForColours(picture.palette.size());
    QByteArray out("GIF89a");
    putWord(out, picture.width);
    putWord(out, picture.height);
    // Global colour table present, 8 bits per primary, 2^tableBits entries.
    out.append(char(0x80 | (7 << 4) | (tableBits - 1)));
    out.append(char(0)); // background colour index
    out.append(char(0)); // square pixels
    for (int i = 0; i < (1 << tableBits); ++i) {
        const QRgb colour = i < picture.palette.size() ? picture.palette.at(i) : qRgb(0, 0, 0);
        out.append(char(qRed(colour)));
        out.append(char(qGreen(colour)));
        out.append(char(qBlue(colour)));
    }
    if (picture.transparentIndex >= 0) {
        out.append("\x21\xF9\x04", 3);
        out.append(char(0x01)); // no disposal given, transparent colour present
        putWord(out, 0);
        out.append(char(picture.transparentIndex));
        out.append(char(0));
    }
    out.append(char(0x2C));
    putWord(out, 0);
    putWord(out, 0);
    putWord(out, picture.width);
    putWord(out, picture.height);
    out.append(char(0)); // no local table, not interlaced
    appendLzwData(out, picture, std::max(2, tableBits));
    out.append(char(0x3B));
    return out;
}

bool writeGif(const QString &path, const IndexedPicture &picture)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(encodeGif(picture));
    return file.commit();
}

} // namespace art
