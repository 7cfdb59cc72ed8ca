#include "topscores/nameText.h"

#include "platform/windows1252.h"

#include <QByteArray>

// The names are the system's ANSI text: the code page of Windows there, and Windows-1252 where the
// registry stand-in keeps the table.
QString nameToText(const std::string &name)
{
#ifdef _WIN32
    return QString::fromLocal8Bit(name.data(), static_cast<qsizetype>(name.size()));
#else
    return QString::fromStdString(platform::windows1252ToUtf8(name));
#endif
}

std::string textToName(const QString &text)
{
#ifdef _WIN32
    return text.toLocal8Bit().toStdString();
#else
    return platform::utf8ToWindows1252(text.toStdString());
#endif
}

bool canBeName(const QString &text)
{
    for (QChar character : text) {
        if (character.category() == QChar::Other_Control)
            return false;
    }
    return nameToText(textToName(text)) == text;
}

QString firstCharacters(const QString &text, int count)
{
    const QString cut = text.left(count);
    return cut.size() == count && cut.back().isHighSurrogate() ? cut.chopped(1) : cut;
}
