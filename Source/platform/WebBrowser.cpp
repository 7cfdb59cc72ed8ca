#include "platform/WebBrowser.h"

#include <QDir>
#include <QUrl>

namespace platform
{

WebBrowser::WebBrowser(QWidget *parent) : QTextBrowser(parent)
{
    setOpenExternalLinks(true);
}

void WebBrowser::Navigate(const QString &path)
{
    m_location = path;
    // Doubled separators are folded first: a path that starts with two of them would otherwise name
    // a network host, and the page's relative links would be resolved against it.
    setSource(QUrl::fromLocalFile(QDir::cleanPath(QDir::fromNativeSeparators(path))));
}

} // namespace platform
