// Names in the top-score table are the system's 8-bit text, as the store keeps them: UTF-8 on Linux,
// and the ANSI code page on Windows, which the program declares to be UTF-8 too. The windows show and
// take Qt text. Both directions of the conversion live here and nowhere else.
#pragma once

#include <QString>
#include <string>

QString nameToText(const std::string &name);
std::string textToName(const QString &text);

// Whether the name box takes the text: at most NameLength characters, none of them a control
// character, and nothing that the table could not hold as it stands.
bool canBeName(const QString &text);

// The first `count` characters of a name. A character is a code point: one beyond the first plane takes
// two units of a QString, and is never cut in half.
QString firstCharacters(const QString &text, int count);
