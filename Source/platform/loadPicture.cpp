#include "platform/loadPicture.h"

#include "platform/testHooks.h"

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

static void (*endProgram)(int status) = exitProgram;

void setProgramEnd(void (*end)(int status))
{
    endProgram = end ? end : exitProgram;
}

QImage LoadPicture(const QString &path, QString *problem)
{
    // QImageReader reads the file every time; QPixmap(fileName) would serve repeats from a cache.
    QImageReader reader(path, "gif");
    const QImage picture = reader.read();
    if (picture.isNull()) {
        *problem = reader.errorString();
        return picture;
    }
    // Converted once here, so that painting it is a plain copy.
    return picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

void endForBrokenPicture(const QString &path, const QString &problem)
{
    const QFileInfo file(path);
    const QString message =
        QStringLiteral("Tallyfive could not load the picture \"%1\" from the folder \"%2\" (%3).")
            .arg(file.fileName(), file.absolutePath(), problem);
    std::fprintf(stderr, "%s\n", qUtf8Printable(message));
    std::fflush(stderr);
    QMessageBox::critical(QApplication::activeWindow(), QStringLiteral("Tallyfive"), message);
    endProgram(1);
}

} // namespace platform
