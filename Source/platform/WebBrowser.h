// The embedded HTML view of the about window: it shows a local page and follows the page's links by
// itself, web and mail links in the system's programs for them. It reads only regular files of a
// page's or a picture's size, and from a link only files of the page's own folder; for anything else
// it shows nothing. What it lays out and decodes of a page is bounded (boundedPage.h), so that no
// page can keep it busy for long or swamp it.
#pragma once

#include "platform/boundedPage.h"

#include <QTextBrowser>

namespace platform
{

class WebBrowser : public QTextBrowser
{
    Q_OBJECT

public:
    explicit WebBrowser(QWidget *parent);

    // Shows the page at a local path written with the system's separators. A page that cannot be
    // read leaves the view empty.
    void Navigate(const QString &path);

    // The path last navigated to, exactly as it was given.
    const QString &location() const { return m_location; }

protected:
    QVariant loadResource(int type, const QUrl &name) override;
    void doSetSource(const QUrl &name, QTextDocument::ResourceType type) override;

private:
    void followLink(const QUrl &link);
    QVariant loadPage(const QString &path, const QByteArray &bytes);
    QVariant loadPicture(const QString &path, QByteArray &bytes);

    QString m_location;
    QString m_page;          // the page navigated to, as a clean path
    QString m_folder;        // its folder, as the system resolves it
    BoundedPage m_shown;     // how the page in view was weighed
    qint64 m_pixelsLeft = 0; // of the pictures that the page may still show
    int m_picturesLeft = 0;
    int m_leftOutPictures = 0;
    QTextDocument *m_prepared = nullptr; // the page last read, until the view shows it
};

} // namespace platform
