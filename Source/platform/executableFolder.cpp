// The folder of the executable, with a seam for tests.
#include "platform/executableFolder.h"

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

void setExecutableFolderForTesting(const QString &folder)
{
    folderForTesting = folder;
}

} // namespace platform
