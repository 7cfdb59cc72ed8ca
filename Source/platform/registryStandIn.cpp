// The registry where Windows has none: HKEY_LOCAL_MACHINE kept in one registry export file in the
// user's data folder, Brindlow/Tallyfive/HKEY_LOCAL_MACHINE.reg, which Windows' regedit imports.
// An open reads the file afresh. A key's changes are written when it is closed, onto the file as it
// stands then, in one atomic replacement; a file that cannot be read, understood or written is
// never written over, and each such failure is one line on stderr.
//
// Text: the narrow calls take and give UTF-8, the system's 8-bit text here. The file holds it in
// Windows-1252, the ANSI code page in which regedit reads a REGEDIT4 file on the Western Windows
// systems the table travels to, so an import there shows the same characters. A text that
// Windows-1252 cannot hold makes the whole file the Unicode form, which every regedit also imports.
#include "platform/registry.h"
#include "platform/registryFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cstdio>
#include <cstring>
#include <memory>
#include <set>
#include <unistd.h>

using namespace platform;

struct HKEY__ {
    QString file;
    QString path;              // root key first
    RegistryDocument document; // the file as it was read at the open, with this key's changes
    bool writable = false;
    bool created = false;
    QList<RegistryValue> changes;
};

static std::set<HKEY> openKeys;

static QString registryFilePath()
{
    QString dataFolder = QFile::decodeName(qgetenv("XDG_DATA_HOME"));
    if (!QDir::isAbsolutePath(dataFolder))
        dataFolder = QDir::homePath() + QLatin1String("/.local/share");
    return dataFolder + QLatin1String("/Brindlow/Tallyfive/HKEY_LOCAL_MACHINE.reg");
}

static void report(const QString &file, const QString &what)
{
    std::fprintf(stderr, "tallyfive: the registry file %s %s\n", QFile::encodeName(file).constData(),
                 what.toLocal8Bit().constData());
}

// The file as it stands; an absent or empty file is an empty registry. Lines not understood are
// reported only when told, so that one open and close say it once.
static LONG readRegistry(const QString &file, RegistryDocument &document, bool reportLines)
{
    document = RegistryDocument();
    const QFileInfo info(file);
    if (!info.exists())
        return ERROR_SUCCESS;
    QFile input(file);
    if (!info.isFile()) {
        report(file, QStringLiteral("is not a file"));
        return ERROR_ACCESS_DENIED;
    }
    QByteArray bytes;
    if (input.open(QIODevice::ReadOnly))
        bytes = input.readAll();
    if (input.error() != QFileDevice::NoError) {
        report(file, QLatin1String("cannot be read: ") + input.errorString());
        return ERROR_ACCESS_DENIED;
    }
    if (bytes.isEmpty())
        return ERROR_SUCCESS;
    if (!parseRegistryFile(bytes, document)) {
        report(file, QStringLiteral("is not a registry export; it is left as it is"));
        return ERROR_REGISTRY_CORRUPT;
    }
    if (document.cutInHalfCharacter && reportLines)
        report(file, QStringLiteral("ends in half a character; it is read but not written over"));
    else if (document.linesNotUnderstood > 0 && reportLines)
        report(file, QStringLiteral("has %1 line(s) not understood from line %2; they are kept as they are")
                         .arg(document.linesNotUnderstood)
                         .arg(document.firstLineNotUnderstood));
    return ERROR_SUCCESS;
}

// Whether the file may be replaced: its folder made and writable, the file itself writable.
static LONG checkWritable(const QString &file, const RegistryDocument &document)
{
    if (document.cutInHalfCharacter)
        return ERROR_REGISTRY_CORRUPT;
    const QString folder = QFileInfo(file).absolutePath();
    if (!QDir().mkpath(folder) || ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0 ||
        (QFileInfo::exists(file) && ::access(QFile::encodeName(file).constData(), W_OK) != 0)) {
        report(file, QStringLiteral("cannot be written"));
        return ERROR_ACCESS_DENIED;
    }
    return ERROR_SUCCESS;
}

static bool resolvePath(HKEY key, LPCSTR subKey, QString &path)
{
    if (key == HKEY_LOCAL_MACHINE)
        path = QStringLiteral("HKEY_LOCAL_MACHINE");
    else if (openKeys.count(key))
        path = key->path;
    else
        return false;
    if (subKey && *subKey)
        path += u'\\' + QString::fromUtf8(subKey);
    return true;
}

// Opens an existing key, or with create makes it and any missing parents when it is closed.
static LONG openKey(HKEY key, LPCSTR subKey, bool writable, bool create, PHKEY result)
{
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    auto opened = std::make_unique<HKEY__>();
    if (!resolvePath(key, subKey, opened->path))
        return ERROR_INVALID_HANDLE;
    opened->file = registryFilePath();
    if (LONG status = readRegistry(opened->file, opened->document, true))
        return status;
    opened->created = !keyExists(opened->document, opened->path);
    if (opened->created && !create)
        return ERROR_FILE_NOT_FOUND;
    if (writable) {
        if (LONG status = checkWritable(opened->file, opened->document))
            return status;
    }
    opened->writable = writable;
    *result = opened.release();
    openKeys.insert(*result);
    return ERROR_SUCCESS;
}

LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD, REGSAM access, PHKEY result)
{
    return openKey(key, subKey, (access & KEY_SET_VALUE) != 0, false, result);
}

LONG RegCreateKeyA(HKEY key, LPCSTR subKey, PHKEY result)
{
    return openKey(key, subKey, true, true, result);
}

static const RegistryValue *lookUpValue(HKEY key, const QString &name)
{
    RegistrySection *section = findSection(key->document, key->path);
    return section ? findValue(*section, name) : nullptr;
}

// The value's bytes as the narrow calls see them: text in UTF-8, with its terminating zero.
static QByteArray narrowData(const RegistryValue &value)
{
    if (!isStringType(value.type))
        return value.data;
    QByteArray bytes = value.text.toUtf8();
    if (value.terminated)
        bytes.append('\0');
    return bytes;
}

LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size)
{
    if (!openKeys.count(key))
        return ERROR_INVALID_HANDLE;
    if (reserved || (data && !size))
        return ERROR_INVALID_PARAMETER;
    const RegistryValue *value = lookUpValue(key, QString::fromUtf8(valueName ? valueName : ""));
    if (!value)
        return ERROR_FILE_NOT_FOUND;
    if (type)
        *type = value->type;
    if (!size)
        return ERROR_SUCCESS;
    const QByteArray bytes = narrowData(*value);
    const DWORD room = *size;
    *size = DWORD(bytes.size());
    if (!data)
        return ERROR_SUCCESS;
    if (room < *size)
        return ERROR_MORE_DATA;
    std::memcpy(data, bytes.constData(), size_t(bytes.size()));
    return ERROR_SUCCESS;
}

LONG RegSetValueExA(HKEY key, LPCSTR valueName, DWORD, DWORD type, const BYTE *data, DWORD size)
{
    if (!openKeys.count(key))
        return ERROR_INVALID_HANDLE;
    if (!key->writable)
        return ERROR_ACCESS_DENIED;
    if (!data && size > 0)
        return ERROR_INVALID_PARAMETER;
    RegistryValue value;
    value.name = QString::fromUtf8(valueName ? valueName : "");
    value.type = type;
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (isStringType(type)) {
        value.terminated = bytes.endsWith('\0');
        if (value.terminated)
            bytes.chop(1);
        value.text = QString::fromUtf8(bytes.constData(), bytes.size());
    } else {
        value.data = bytes;
    }
    putValue(sectionOf(key->document, key->path), value);
    key->changes += value;
    return ERROR_SUCCESS;
}

// Lays the key's changes onto the file as it stands now and replaces it in one step.
static LONG writeChanges(const HKEY__ &key)
{
    RegistryDocument document;
    if (LONG status = readRegistry(key.file, document, false))
        return status;
    if (LONG status = checkWritable(key.file, document))
        return status;
    RegistrySection &section = sectionOf(document, key.path);
    for (const RegistryValue &value : key.changes)
        putValue(section, value);
    const QByteArray bytes = formatRegistryFile(document);
    // Qt's commit renames even a file whose buffered write or sync failed (a full disk), so
    // the write goes unbuffered and is synced and checked here before the commit.
    QSaveFile output(key.file);
    const bool written = output.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
                         output.write(bytes) == bytes.size() && ::fsync(output.handle()) == 0;
    if (!written || !output.commit()) {
        report(key.file, QStringLiteral("could not be written in full; it is left as it was"));
        return ERROR_WRITE_FAULT;
    }
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key)
{
    if (key == HKEY_LOCAL_MACHINE)
        return ERROR_SUCCESS;
    if (!openKeys.erase(key))
        return ERROR_INVALID_HANDLE;
    const std::unique_ptr<HKEY__> closing(key);
    if (!closing->created && closing->changes.isEmpty())
        return ERROR_SUCCESS;
    return writeChanges(*closing);
}
