// Loading a picture from a GIF file, read afresh from disk each time.
#pragma once

#include <QImage>
#include <QString>

namespace platform
{

// The picture in the file, or a null picture with the reason in `problem`.
QImage LoadPicture(const QString &path, QString *problem);

// Tells the player which picture could not be loaded and where it was looked for, says the same on
// stderr, and ends the program with a failure status.
void endForBrokenPicture(const QString &path, const QString &problem);

} // namespace platform
