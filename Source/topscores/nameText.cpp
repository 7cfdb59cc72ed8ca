#include "topscores/nameText.h"

#include "state/modInitialize.h"

#include <QByteArray>

QString nameToText(const std::string &name)
{
#ifdef _WIN32
    return QString::fromLocal8Bit(name.data(), static_cast<qsizetype>(name.size()));
#else
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
#endif
}

std::string textToName(const QString &text)
{
#ifdef _WIN32
    return text.toLocal8Bit().toStdString();
#else
    return text.toUtf8().toStdString();
#endif
}

bool canBeName(const QString &text)
{
    for (QChar character : text) {
        if (character.category() == QChar::Other_Control)
            return false;
    }
    return firstCharacters(text, modInitialize::NameLength) == text && nameToText(textToName(text)) == text;
}

QString firstCharacters(const QString &text, int count)
{
    qsizetype end = 0;
    for (int n = 0; n < count && end < text.size(); ++n)
        end += text[end].isHighSurrogate() && end + 1 < text.size() && text[end + 1].isLowSurrogate() ? 2 : 1;
    return text.left(end);
}
