// tallyfive_art: draws every picture the game ships and writes them as GIF files into the source tree.
// Usage: tallyfive_art <folder of the Tallyfive sources>
#include "cardFace.h"
#include "colourQuantiser.h"
#include "examplePictures.h"
#include "gifWriter.h"
#include "lettering.h"
#include "titlePicture.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
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
    std::printf("%-40s %3d colours %6lld bytes\n", qPrintable(name), int(picture.palette.size()),
                QFileInfo(path).size());
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

    // Card corners are cleared; what little of their edge remains is smoothed against the white cell.
    const int cardCorner = 96;
    for (int suit = 1; suit <= 4; ++suit) {
        for (int rank = 1; rank <= 13; ++rank) {
            const QString name = QStringLiteral("Pack/%1%2.gif").arg(suit).arg(rank, 2, 10, QLatin1Char('0'));
            ok &= save(root, name, art::drawCard(suit, rank), Qt::white, cardCorner);
        }
    }
    ok &= save(root, QStringLiteral("Pack/000.gif"), art::drawNoMoreCards(), Qt::white, cardCorner);

    // The title and the examples lie on the windows' pale green; their edges are smoothed against it.
    ok &= save(root, QStringLiteral("Source/game/art/title.gif"), art::drawTitle(), windowGreen, 1);
    for (int example = 0; example < art::ExampleCount; ++example) {
        const QString name = QStringLiteral("Source/topscores/art/example%1.gif").arg(example);
        ok &= save(root, name, art::drawExample(example), windowGreen, 1);
    }
    return ok ? 0 : 1;
}
