// Loading a picture from a GIF file, read afresh from disk each time.
#pragma once

#include <QImage>
#include <QString>

namespace platform
{

// The picture in the file. A file that cannot be loaded ends the program: the player is told
// which file and where it was looked for, the same line goes to stderr, and the run ends with
// a non-zero status. The call does not return then, so no caller goes on with a half-made change.
QImage LoadPicture(const QString &path);

// How the program ends after such a failure; tests replace it to catch the end in-process.
extern void (*endProgram)(int status);

} // namespace platform
