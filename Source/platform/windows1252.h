// Windows-1252, the ANSI code page of the Western Windows systems, in which a REGEDIT4 registry export
// holds its text; and UTF-8, in which the registry stand-in's narrow calls take and give it.
#pragma once

#include <string>

namespace platform
{

// Every byte has a character: the five bytes the code page leaves undefined stand for the control
// characters of the same number, as Windows converts them.
char32_t fromWindows1252(unsigned char byte);

// The byte of a character, or -1 when the code page has none.
int toWindows1252(char32_t character);

// Between Windows-1252 and UTF-8; a character the code page lacks becomes '?', as the narrow calls of
// Windows make it (the stand-in converts only text that fits).
std::string windows1252ToUtf8(const std::string &bytes);
std::string utf8ToWindows1252(const std::string &text);

// Appends a code point in UTF-8. Lone surrogates are written like any other code point, so that a
// UTF-16 file's text comes back unit for unit.
void appendUtf8(std::string &text, char32_t character);

// The text with each byte that is no part of a character replaced by U+FFFD.
std::string validUtf8(const std::string &text);

// The code point that starts at `position`, which moves past it; false for bytes that are no UTF-8.
bool readUtf8(const std::string &text, size_t &position, char32_t &character);

} // namespace platform
