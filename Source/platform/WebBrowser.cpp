#include "platform/WebBrowser.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTextDocument>
#include <QUrl>

namespace platform
{

// Bounds on what the view reads: a page, a picture, the picture's size and the depth to which the
// page's elements nest, beyond which laying it out would take minutes.
constexpr qint64 largestPage = 1 << 20;
constexpr qint64 largestPicture = 4 << 20;
constexpr int largestSide = 4096;
constexpr int deepestNesting = 100;

// How deep the page's elements nest, counting those that are closed or contain others; the elements
// that a page may leave open, and those that hold nothing, do not count.
static int nestingDepth(const QByteArray &html)
{
    static const QList<QByteArray> uncounted = {"p",      "li",   "td",   "th",   "tr",    "dt",    "dd",
                                                "br",     "img",  "hr",   "meta", "link",  "input", "col",
                                                "option", "area", "base", "wbr",  "param", "source"};
    int depth = 0, deepest = 0;
    for (qsizetype open = html.indexOf('<'); open >= 0; open = html.indexOf('<', open + 1)) {
        const bool closing = html.mid(open + 1, 1) == "/";
        qsizetype end = open + 1 + closing;
        while (end < html.size() && QChar::isLetterOrNumber(uchar(html[end])))
            ++end;
        const QByteArray tag = html.mid(open + 1 + closing, end - open - 1 - closing).toLower();
        if (tag.isEmpty() || uncounted.contains(tag))
            continue;
        depth = closing ? std::max(0, depth - 1) : depth + 1;
        deepest = std::max(deepest, depth);
    }
    return deepest;
}

WebBrowser::WebBrowser(QWidget *parent) : QTextBrowser(parent)
{
    setOpenExternalLinks(true);
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

// Anything refused is an empty resource rather than none, for the document would read a file that
// its view declines, whole, by itself.
QVariant WebBrowser::loadResource(int type, const QUrl &name)
{
    const QUrl url = source().resolved(name);
    const QString path = QDir::cleanPath(url.toLocalFile());
    const QFileInfo file(path);
    const bool document = type == QTextDocument::HtmlResource || type == QTextDocument::StyleSheetResource;
    // The page itself may lie anywhere; what it links to lies in its folder.
    const bool inFolder = path == m_page || file.canonicalFilePath().startsWith(m_folder + QLatin1Char('/'));
    const bool readable = url.isLocalFile() && inFolder && file.isFile() &&
                          file.size() <= (document ? largestPage : largestPicture);
    QFile input(path);
    if (!readable || !input.open(QIODevice::ReadOnly))
        return QByteArray();
    QByteArray bytes = input.read(document ? largestPage : largestPicture);
    if (type == QTextDocument::ImageResource) {
        QBuffer buffer(&bytes);
        QImageReader reader(&buffer);
        const QSize size = reader.size();
        if (!size.isValid() || size.width() > largestSide || size.height() > largestSide)
            return QByteArray();
        return reader.read();
    }
    if (type == QTextDocument::HtmlResource && nestingDepth(bytes) > deepestNesting)
        return QByteArray();
    return bytes;
}

} // namespace platform
