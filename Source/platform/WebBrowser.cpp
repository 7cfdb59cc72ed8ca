#include "platform/WebBrowser.h"

#include <QBuffer>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QPixmap>
#include <QStringDecoder>
#include <QTextDocument>
#include <QUrl>
#include <utility>

namespace platform
{

// Bounds on what the view reads: a page and a picture; and on the pictures of one page, so that
// they never take more than a few tens of megabytes, each counted as often as the page names it.
constexpr qint64 largestPage = 1 << 20;
constexpr qint64 largestPicture = 4 << 20;
constexpr qint64 mostPixels = 4 << 20;
constexpr int largestSide = 4096;
constexpr int mostPictures = 256;

static QString fileName(const QString &path)
{
    return QFileInfo(path).fileName();
}

WebBrowser::WebBrowser(QWidget *parent) : QTextBrowser(parent)
{
    // Links are followed here, by their scheme: the view itself would hand the system any link that
    // is not to a local file.
    setOpenLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &WebBrowser::followLink);
}

void WebBrowser::Navigate(const QString &path)
{
    m_location = path;
    // Doubled separators are folded first: a path that starts with two of them would otherwise name a
    // network host, and the page's relative links would be resolved against it.
    m_page = QDir::cleanPath(QDir::fromNativeSeparators(path));
    m_folder = QFileInfo(QFileInfo(m_page).absolutePath()).canonicalFilePath();
    setSource(QUrl::fromLocalFile(m_page));
}

// Only web and mail links leave the program; links within the page and to local files stay in the
// view, under the view's own rules; any other link does nothing.
void WebBrowser::followLink(const QUrl &link)
{
    const QString scheme = link.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
        scheme == QLatin1String("mailto"))
        QDesktopServices::openUrl(link);
    else if (link.isRelative() || scheme == QLatin1String("file") || scheme == QLatin1String("qrc"))
        setSource(link);
    else
        qWarning("Tallyfive does not follow the link \"%s\": only web and mail links leave the program.",
                 qUtf8Printable(link.toString()));
}

// Anything refused is an empty resource rather than none, for the document would read a file that
// its view declines, whole, by itself; and a refused picture is an empty picture, for the view would
// load one named by a path straight from the disk.
QVariant WebBrowser::loadResource(int type, const QUrl &name)
{
    const QUrl url = source().resolved(name);
    const QString path = QDir::cleanPath(url.toLocalFile());
    const QFileInfo file(path);
    const bool picture = type == QTextDocument::ImageResource;
    const bool document = type == QTextDocument::HtmlResource || type == QTextDocument::StyleSheetResource;
    // The page itself may lie anywhere; what it links to lies in its folder.
    const bool inFolder = path == m_page || file.canonicalFilePath().startsWith(m_folder + QLatin1Char('/'));
    const bool readable = url.isLocalFile() && inFolder && file.isFile() && (document || picture) &&
                          file.size() <= (document ? largestPage : largestPicture) &&
                          (!picture || m_picturesLeft > 0);
    QFile input(path);
    QByteArray bytes;
    if (readable && input.open(QIODevice::ReadOnly))
        bytes = input.read(document ? largestPage : largestPicture);
    if (picture)
        return loadPicture(path, bytes);
    if (bytes.isEmpty())
        return QByteArray();
    if (type == QTextDocument::HtmlResource)
        return loadPage(path, bytes);
    QString why;
    const QString styleSheet = QString::fromUtf8(bytes);
    if (admitStyleSheet(m_shown, styleSheet, &why))
        return styleSheet;
    qWarning("Tallyfive leaves out the style sheet \"%s\": %s.", qUtf8Printable(fileName(path)),
             qUtf8Printable(why));
    return QByteArray();
}

// The page as far as its bounds allow; the pictures it shows are counted afresh.
QVariant WebBrowser::loadPage(const QString &path, const QByteArray &bytes)
{
    QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
    if (!decoder.isValid())
        decoder = QStringDecoder(QStringDecoder::Utf8);
    const QString page = decoder.decode(bytes);
    m_shown = boundPage(page);
    m_pixelsLeft = mostPixels;
    m_picturesLeft = mostPictures;
    m_leftOutPictures = 0;
    // Read here rather than by the view, so that its layout can be weighed before the view lays it
    // out; the view then shows this reading (doSetSource).
    delete m_prepared;
    m_prepared = new QTextDocument(this);
    m_prepared->setBaseUrl(QUrl::fromLocalFile(path));
    m_prepared->setDefaultFont(font());
    m_prepared->setHtml(m_shown.html);
    if (tallestLayout(*m_prepared) > tallestSafeLayout) {
        qWarning("Tallyfive shows the page \"%s\" without its styles: laid out with them, it could grow "
                 "too tall for the view to measure.",
                 qUtf8Printable(fileName(path)));
        m_shown = boundPage(page, false);
        m_prepared->setHtml(m_shown.html);
    }
    if (!m_shown.cut.isEmpty())
        qWarning("Tallyfive shows the page \"%s\" only up to its character %lld: %s.",
                 qUtf8Printable(fileName(path)), static_cast<long long>(m_shown.cutAt),
                 qUtf8Printable(m_shown.cut));
    if (!m_shown.styleLeftOut.isEmpty())
        qWarning("Tallyfive leaves out a style sheet of the page \"%s\": %s.", qUtf8Printable(fileName(path)),
                 qUtf8Printable(m_shown.styleLeftOut));
    // The view clears its own document with this, and is then given the one read here.
    return QStringLiteral(" ");
}

void WebBrowser::doSetSource(const QUrl &name, QTextDocument::ResourceType type)
{
    delete std::exchange(m_prepared, nullptr);
    QTextBrowser::doSetSource(name, type);
    if (!m_prepared)
        return;
    // The view deletes a document of its own as it is given another; one read here is deleted here.
    QTextDocument *shown = document();
    QTextDocument *readHere = shown->parent() == this ? shown : nullptr;
    m_prepared->setMetaInformation(QTextDocument::DocumentUrl,
                                   shown->metaInformation(QTextDocument::DocumentUrl));
    setDocument(std::exchange(m_prepared, nullptr));
    delete readHere;
    if (name.hasFragment())
        scrollToAnchor(name.fragment());
}

// The picture, decoded only when its header's size fits in what the page has left; anything else is
// an empty picture.
QVariant WebBrowser::loadPicture(const QString &path, QByteArray &bytes)
{
    QPixmap nothing(1, 1);
    nothing.fill(Qt::transparent);
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (bytes.isEmpty() || !size.isValid())
        return nothing;
    const qint64 pixels = qint64(size.width()) * size.height();
    --m_picturesLeft;
    if (pixels > m_pixelsLeft || size.width() > largestSide || size.height() > largestSide) {
        if (!m_leftOutPictures++)
            qWarning("Tallyfive leaves out the picture \"%s\", and any other that would take the page's "
                     "pictures past %lld pixels, or is more than %d pixels wide or high.",
                     qUtf8Printable(fileName(path)), static_cast<long long>(mostPixels), largestSide);
        return nothing;
    }
    m_pixelsLeft -= pixels;
    // The reader allocates no more than the header claims, whatever the data holds.
    reader.setAllocationLimit(int(pixels * 4 / (1 << 20)) + 1);
    QImage image = reader.read();
    if (image.isNull() || image.size() != size)
        return nothing;
    return QPixmap::fromImage(std::move(image));
}

} // namespace platform
