#include "platform/windows1252.h"

namespace platform
{

// 0x80 to 0x9F; the rest of the code page is Latin-1.
static const char16_t high[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                  0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t fromWindows1252(unsigned char byte)
{
    return byte >= 0x80 && byte < 0xA0 ? high[byte - 0x80] : byte;
}

int toWindows1252(char32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character < 0x100))
        return int(character);
    for (int i = 0; i < 32; ++i) {
        if (high[i] == character)
            return 0x80 + i;
    }
    return -1;
}

void appendUtf8(std::string &text, char32_t c)
{
    if (c < 0x80) {
        text += char(c);
    } else if (c < 0x800) {
        text += char(0xC0 | c >> 6);
        text += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        text += char(0xE0 | c >> 12);
        text += char(0x80 | (c >> 6 & 0x3F));
        text += char(0x80 | (c & 0x3F));
    } else {
        text += char(0xF0 | c >> 18);
        text += char(0x80 | (c >> 12 & 0x3F));
        text += char(0x80 | (c >> 6 & 0x3F));
        text += char(0x80 | (c & 0x3F));
    }
}

bool readUtf8(const std::string &text, size_t &position, char32_t &character)
{
    const auto byte = [&text](size_t i) { return i < text.size() ? (unsigned char)text[i] : 0u; };
    const unsigned lead = byte(position);
    const int length = lead < 0x80                   ? 1
                       : lead >= 0xC2 && lead < 0xE0 ? 2
                       : lead >= 0xE0 && lead < 0xF0 ? 3
                       : lead >= 0xF0 && lead < 0xF5 ? 4
                                                     : 0;
    if (length == 0)
        return false;
    char32_t c = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (int k = 1; k < length; ++k) {
        if ((byte(position + k) & 0xC0) != 0x80)
            return false;
        c = c << 6 | (byte(position + k) & 0x3F);
    }
    // The shortest form only, and nothing beyond the last code point.
    static const char32_t least[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < least[length] || c > 0x10FFFF)
        return false;
    position += size_t(length);
    character = c;
    return true;
}

std::string validUtf8(const std::string &text)
{
    std::string valid;
    valid.reserve(text.size());
    char32_t character = 0;
    for (size_t position = 0; position < text.size();) {
        const size_t start = position;
        if (readUtf8(text, position, character))
            valid.append(text, start, position - start);
        else
            ++position, appendUtf8(valid, 0xFFFD);
    }
    return valid;
}

std::string windows1252ToUtf8(const std::string &bytes)
{
    std::string text;
    text.reserve(bytes.size());
    for (char byte : bytes)
        appendUtf8(text, fromWindows1252((unsigned char)byte));
    return text;
}

std::string utf8ToWindows1252(const std::string &text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (size_t position = 0; position < text.size();) {
        char32_t character = '?';
        if (!readUtf8(text, position, character))
            ++position;
        const int byte = toWindows1252(character);
        bytes += byte < 0 ? '?' : char(byte);
    }
    return bytes;
}

} // namespace platform
