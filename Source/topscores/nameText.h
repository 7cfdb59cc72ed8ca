// Names in the top-score table are the system's 8-bit text, as the store keeps them; the windows
// show and take Qt text. Both directions of the conversion live here and nowhere else.
#pragma once

#include <QString>
#include <string>

QString nameToText(const std::string &name);
std::string textToName(const QString &text);

// Whether the table can hold the text as it stands: no character the code page lacks, and none that
// would break a stored line.
bool canBeName(const QString &text);

// The first `count` characters of a name, never cutting a character that takes two units in half.
QString firstCharacters(const QString &text, int count);
