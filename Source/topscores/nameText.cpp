#include "topscores/nameText.h"

#include <QByteArray>

// The local 8-bit encoding is the system's code page on Windows and UTF-8 elsewhere, so any name
// that can be typed survives the round trip.
QString nameToText(const std::string &name)
{
    return QString::fromLocal8Bit(name.data(), static_cast<qsizetype>(name.size()));
}

std::string textToName(const QString &text)
{
    return text.toLocal8Bit().toStdString();
}
