#include "game/identity.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

void setApplicationIdentity()
{
    QApplication::setApplicationName(QStringLiteral("Tallyfive"));
    QApplication::setApplicationVersion(QStringLiteral("1.2"));
    QApplication::setOrganizationName(QStringLiteral("Brindlow"));
    QApplication::setOrganizationDomain(QStringLiteral("brindlow.net"));
    QGuiApplication::setDesktopFileName(QStringLiteral("net.brindlow.Tallyfive"));
    // Every size the program holds, as the build chose them for the window system.
    QIcon icon;
    const QString theme = QStringLiteral(":/icons/hicolor/");
    for (const QString &size : QDir(theme).entryList())
        icon.addFile(theme + size + QStringLiteral("/apps/net.brindlow.Tallyfive.png"));
    QApplication::setWindowIcon(icon);
}
