// Loading a picture from a GIF file, read afresh from disk each time and decoded again when it changed.
#pragma once

#include <QImage>
#include <QString>

namespace platform
{

// The picture in the file, when it is a whole GIF of the given size, or a null picture with the
// reason in `problem`. Only a regular file of a picture's size is read, and its size is read from its
// header before it is decoded, so that nothing in its place can hang or swamp the program.
QImage LoadPicture(const QString &path, QSize size, QString *problem);

// What LoadPicture would find wrong with the file, or nothing when it is a whole GIF of the given
// size; found from its structure and header alone, without decoding it.
QString checkPicture(const QString &path, QSize size);

// The path of the same picture drawn at twice the size: "101.gif" gives "101@2x.gif".
QString atTwiceTheSize(const QString &path);

// A picture the program holds in itself, drawn at twice the size for a screen of more than the usual
// density.
QImage loadBuiltInPicture(const QString &path, qreal devicePixelRatio);

// Tells the player which picture could not be loaded and where it was looked for, says the same on
// stderr, and ends the program with a failure status.
void endForBrokenPicture(const QString &path, const QString &problem);

} // namespace platform
