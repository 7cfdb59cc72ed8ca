// The embedded HTML view of the about window: it shows a local page and follows the page's links by
// itself, web links in the system's browser.
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

private:
    QString m_location;
};

} // namespace platform
