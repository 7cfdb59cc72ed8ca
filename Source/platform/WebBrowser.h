// The embedded HTML view of the about window: it shows a local page and follows the page's links by
// itself, web links in the system's browser. It reads only regular files of a page's or a picture's
// size, and from a link only files of the page's own folder; for anything else it shows nothing.
#pragma once

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

private:
    QString m_location;
    QString m_page;   // the page navigated to, as a clean path
    QString m_folder; // its folder, as the system resolves it
};

} // namespace platform
