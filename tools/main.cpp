// tallyfive_art: draws every picture the game ships and writes them into the source tree: the cards, the
// title and the examples as GIF files, the application icon as PNG and SVG files.
// Usage: tallyfive_art <folder of the Tallyfive sources>
#include "appIcon.h"
#include "cardFace.h"
#include "colourQuantiser.h"
#include "examplePictures.h"
#include "gifWriter.h"
#include "lettering.h"
#include "svgWriter.h"
#include "titlePicture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QSaveFile>
#include <algorithm>
#include <cstdio>

namespace
{

const QColor windowGreen(241, 255, 241);

// Reads the file back as the game will and checks it shows exactly the colours that were written.
bool readsBack(const QString &path, const art::IndexedPicture &picture)
{
    QImageReader reader(path);
    const QImage read = reader.read().convertToFormat(QImage::Format_ARGB32);
    if (read.width() != picture.width || read.height() != picture.height)
        return false;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const int index = picture.pixels[std::size_t(y) * picture.width + x];
            const QRgb pixel = read.pixel(x, y);
            if (index == picture.transparentIndex ? qAlpha(pixel) != 0 : pixel != picture.palette.at(index))
                return false;
        }
    }
    return true;
}

bool save(const QDir &root, const QString &name, const QImage &drawn, QColor backdrop, int threshold)
{
    const QString path = root.filePath(name);
    const art::IndexedPicture picture = art::quantise(art::flattenAgainst(drawn, backdrop, threshold));
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!art::writeGif(path, picture) || !readsBack(path, picture)) {
        std::fprintf(stderr, "tallyfive_art: could not write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%-60s %3d colours %6lld bytes\n", qPrintable(name), int(picture.palette.size()),
                QFileInfo(path).size());
    return true;
}

bool writeFile(const QString &path, const QByteArray &contents)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size() && file.commit();
}

// Writes the picture with Qt's PNG writer, transparency and all, and checks that every pixel reads back
// as it was drawn.
bool saveIcon(const QDir &root, const QString &name, const QImage &drawn)
{
    const QString path = root.filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    bool ok = file.open(QIODevice::WriteOnly) && drawn.save(&file, "PNG") && file.commit();
    if (ok) {
        const QImage read = QImageReader(path).read().convertToFormat(QImage::Format_ARGB32);
        ok = read.size() == drawn.size();
        for (int y = 0; ok && y < read.height(); ++y)
            ok = std::equal(reinterpret_cast<const QRgb *>(read.constScanLine(y)),
                            reinterpret_cast<const QRgb *>(read.constScanLine(y)) + read.width(),
                            reinterpret_cast<const QRgb *>(drawn.constScanLine(y)));
    }
    if (!ok) {
        std::fprintf(stderr, "tallyfive_art: could not write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%-60s %3d pixels  %6lld bytes\n", qPrintable(name), drawn.width(), QFileInfo(path).size());
    return true;
}

// Writes the text and checks that the file holds exactly that.
bool saveText(const QDir &root, const QString &name, const QByteArray &text)
{
    const QString path = root.filePath(name);
    QFile written(path);
    if (!writeFile(path, text) || !written.open(QIODevice::ReadOnly) || written.readAll() != text) {
        std::fprintf(stderr, "tallyfive_art: could not write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%-60s             %6lld bytes\n", qPrintable(name), QFileInfo(path).size());
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    // Fonts need a running application but no screen. Always the same platform, so that the same
    // faces are found and every run draws the same pictures.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tallyfive_art <folder of the Tallyfive sources>\n");
        return 2;
    }
    if (!art::facesPresent())
        return 1;
    const QDir root(QString::fromLocal8Bit(argv[1]));
    bool ok = true;

    // Every picture is drawn twice: for ordinary screens and, at twice the resolution, for dense ones,
    // where Qt finds it by the "@2x" in its name.
    for (const int scale : {1, 2}) {
        const QString suffix = scale == 1 ? QStringLiteral(".gif") : QStringLiteral("@2x.gif");

        // Card corners are cleared; what little of their edge remains is smoothed against the white cell.
        const int cardCorner = 96;
        for (int suit = 1; suit <= 4; ++suit) {
            for (int rank = 1; rank <= 13; ++rank) {
                const QString name = QStringLiteral("Pack/%1%2").arg(suit).arg(rank, 2, 10, QLatin1Char('0'));
                ok &= save(root, name + suffix, art::drawCard(suit, rank, scale), Qt::white, cardCorner);
            }
        }
        ok &= save(root, QStringLiteral("Pack/000") + suffix, art::drawNoMoreCards(scale), Qt::white,
                   cardCorner);

        // The title and the examples lie on the windows' pale green; their edges are smoothed against it.
        ok &= save(root, QStringLiteral("Source/game/art/title") + suffix, art::drawTitle(scale), windowGreen,
                   1);
        for (int example = 0; example < art::ExampleCount; ++example) {
            const QString name = QStringLiteral("Source/topscores/art/example%1").arg(example);
            ok &= save(root, name + suffix, art::drawExample(example, scale), windowGreen, 1);
        }
    }
    // The application icon in the freedesktop hicolor theme, under the game's application id.
    const QString iconName = QStringLiteral("net.brindlow.Tallyfive");
    for (const int pixels : art::IconSizes) {
        const QString name = QStringLiteral("data/icons/hicolor/%1x%1/apps/%2.png").arg(pixels).arg(iconName);
        ok &= saveIcon(root, name, art::paintShapes(art::drawIcon(pixels), pixels));
    }
    const QByteArray scalable = art::svgDocument(art::drawIcon(art::ScalableIconSize), art::ScalableIconSize,
                                                 QStringLiteral("Tallyfive"));
    ok &= saveText(root, QStringLiteral("data/icons/hicolor/scalable/apps/%1.svg").arg(iconName), scalable);
    return ok ? 0 : 1;
}
