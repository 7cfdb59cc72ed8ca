#include "platform/executableFolder.h"

#include "platform/testHooks.h"

#include <QCoreApplication>
#include <QDir>

namespace platform
{

static QString folderForTesting;

QString executableFolder()
{
    if (!folderForTesting.isEmpty())
        return folderForTesting;
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
}

void setExecutableFolder(const QString &folder)
{
    folderForTesting = folder;
}

} // namespace platform
