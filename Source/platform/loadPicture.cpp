#include "platform/loadPicture.h"

#include <QApplication>
#include <QFileInfo>
#include <QImageReader>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>

namespace platform
{

static void exitProgram(int status)
{
    std::exit(status);
}

void (*endProgram)(int status) = exitProgram;

static void reportUnloadablePicture(const QString &path, const QString &reason)
{
    const QFileInfo file(path);
    const QString message =
        QStringLiteral("Tallyfive could not load the picture \"%1\" from the folder \"%2\" (%3).")
            .arg(file.fileName(), file.absolutePath(), reason);
    std::fprintf(stderr, "%s\n", qUtf8Printable(message));
    std::fflush(stderr);
    QMessageBox::critical(QApplication::activeWindow(), QStringLiteral("Tallyfive"), message);
}

QImage LoadPicture(const QString &path)
{
    // QImageReader reads the file every time; QPixmap(fileName) would serve repeats from a cache.
    QImageReader reader(path, "gif");
    QImage picture = reader.read();
    if (picture.isNull()) {
        reportUnloadablePicture(path, reader.errorString());
        endProgram(1);
    }
    // Converted once here, so that painting it is a plain copy.
    return picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace platform
