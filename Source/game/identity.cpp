#include "game/identity.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>

void setApplicationIdentity()
{
    QApplication::setApplicationName(QStringLiteral("Tallyfive"));
    QApplication::setApplicationVersion(QStringLiteral("1.2"));
    QApplication::setOrganizationName(QStringLiteral("Brindlow"));
    QApplication::setOrganizationDomain(QStringLiteral("brindlow.net"));
    QGuiApplication::setDesktopFileName(QStringLiteral("net.brindlow.Tallyfive"));
    // Every size the program holds, as the build chose them for the window system. Each is read as the
    // PNG it is: a reader left to guess would load every picture plugin first.
    QIcon icon;
    const QString theme = QStringLiteral(":/icons/hicolor/");
    for (const QString &size : QDir(theme).entryList()) {
        QImageReader reader(theme + size + QStringLiteral("/apps/net.brindlow.Tallyfive.png"), "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    QApplication::setWindowIcon(icon);
}
