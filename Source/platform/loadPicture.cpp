#include "platform/loadPicture.h"

#include "platform/gifStructure.h"
#include "platform/testHooks.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
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

// Far more than a card takes.
constexpr qint64 largestPicture = 1 << 20;

// Why a symbolic link leads to no file: round in a loop, or to a file that is not there.
static QString brokenLink(QString path)
{
    for (int hop = 0; hop < 40 && QFileInfo(path).isSymLink(); ++hop)
        path = QFileInfo(path).symLinkTarget();
    return QFileInfo(path).isSymLink() ? QStringLiteral("it is a symbolic link that leads round in a loop")
                                       : QStringLiteral("it is a symbolic link to a file that is not there");
}

static QString readPicture(const QString &path, QByteArray &bytes)
{
    const QFileInfo info(path);
    if (!info.exists())
        return info.isSymLink() ? brokenLink(path) : QStringLiteral("there is no such file");
    if (!info.isFile())
        return QStringLiteral("it is not a file");
    if (info.size() > largestPicture)
        return QStringLiteral("it is too large for a picture");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    bytes = file.read(largestPicture);
    // Qt's reader fills a picture that is cut short without a word, and names no other fault.
    return checkGifStructure(bytes);
}

// The picture's bytes, when the file is a whole GIF of the given size, or what is wrong with it. Its
// structure and size are read without decoding it.
static QString readPicture(const QString &path, QSize size, QByteArray &bytes)
{
    const QString problem = readPicture(path, bytes);
    if (!problem.isEmpty())
        return problem;
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "gif");
    if (reader.size() == size)
        return QString();
    return reader.size().isValid() ? QStringLiteral("it is %1 x %2 pixels, not %3 x %4")
                                         .arg(reader.size().width())
                                         .arg(reader.size().height())
                                         .arg(size.width())
                                         .arg(size.height())
                                   : reader.errorString();
}

QString checkPicture(const QString &path, QSize size)
{
    QByteArray bytes;
    return readPicture(path, size, bytes);
}

// The picture last decoded from each file, with the bytes it was decoded from. A card dealt again is
// read afresh, and decoded again only when its bytes have changed: decoding is most of a placement's
// time. Far more entries than the pack has pictures, at both sizes.
struct Decoded {
    QByteArray bytes;
    QImage picture;
};
constexpr int mostDecoded = 256;

QImage LoadPicture(const QString &path, QSize size, QString *problem)
{
    static QHash<QString, Decoded> decoded;
    QByteArray bytes;
    *problem = readPicture(path, size, bytes);
    if (!problem->isEmpty())
        return QImage();
    const auto known = decoded.constFind(path);
    if (known != decoded.cend() && known->bytes == bytes)
        return known->picture;
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "gif");
    const QImage picture = reader.read();
    if (picture.isNull()) {
        *problem = reader.errorString();
        return picture;
    }
    if (decoded.size() >= mostDecoded)
        decoded.clear();
    // Converted once here, so that painting it is a plain copy.
    return decoded.insert(path, {bytes, picture.convertToFormat(QImage::Format_ARGB32_Premultiplied)})
        ->picture;
}

QString atTwiceTheSize(const QString &path)
{
    return path.left(path.lastIndexOf(QLatin1Char('.'))) + QStringLiteral("@2x") +
           path.mid(path.lastIndexOf(QLatin1Char('.')));
}

QImage loadBuiltInPicture(const QString &path, qreal devicePixelRatio)
{
    if (devicePixelRatio <= 1)
        return QImage(path);
    QImage picture(atTwiceTheSize(path));
    picture.setDevicePixelRatio(2);
    return picture;
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
