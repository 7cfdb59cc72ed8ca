#include "game/identity.h"

#include <QApplication>
#include <QIcon>

void setApplicationIdentity()
{
    QApplication::setApplicationName(QStringLiteral("Tallyfive"));
    QApplication::setApplicationVersion(QStringLiteral("1.2"));
    QApplication::setOrganizationName(QStringLiteral("Brindlow"));
    QApplication::setOrganizationDomain(QStringLiteral("brindlow.net"));
    QGuiApplication::setDesktopFileName(QStringLiteral("net.brindlow.Tallyfive"));
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/hicolor/%1x%1/apps/net.brindlow.Tallyfive.png").arg(size));
    QApplication::setWindowIcon(icon);
}
