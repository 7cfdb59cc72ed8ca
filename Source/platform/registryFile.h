// A registry export file, as Windows' registry editor writes and reads it: "REGEDIT4" files in the
// ANSI code page and "Windows Registry Editor Version 5.00" files in UTF-16. The registry stand-in
// keeps HKEY_LOCAL_MACHINE in one of these.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace platform
{

struct RegistryValue {
    QString name; // empty for the key's default value, written @
    uint32_t type = 0;
    // The string types (1, 2 and 7) hold text; terminated says whether it ended in a zero.
    QString text;
    bool terminated = true;
    QByteArray data; // every other type
};

struct RegistrySection {
    QString path; // as written between the brackets, root key first
    QList<RegistryValue> values;
    QStringList keptLines; // comments and lines not understood, as they stood
};

struct RegistryDocument {
    QStringList keptLines; // those before the first section
    QList<RegistrySection> sections;
    int linesNotUnderstood = 0;
    int firstLineNotUnderstood = 0;
    bool cutInHalfCharacter = false; // a UTF-16 file of an odd length
};

bool isStringType(uint32_t type);

// Reads a file; false when it is not a registry export at all. Lines that do not parse are kept,
// counted and written back unchanged.
bool parseRegistryFile(const QByteArray &bytes, RegistryDocument &document);

// Writes REGEDIT4 in Windows-1252, the ANSI code page of the systems that carry the table, or
// the UTF-16 form when something held cannot be said in Windows-1252, so that nothing is lost.
// Values stand in the order regedit exports them.
QByteArray formatRegistryFile(const RegistryDocument &document);

// Keys are named without regard to case, root key first, parts separated by backslashes.
QString normalizedKeyPath(const QString &path);
RegistrySection *findSection(RegistryDocument &document, const QString &path);
bool keyExists(const RegistryDocument &document, const QString &path);
RegistryValue *findValue(RegistrySection &section, const QString &name);

// The section of a key, added under the given spelling when the file has none yet.
RegistrySection &sectionOf(RegistryDocument &document, const QString &path);

// Sets a value, over any of the same name.
void putValue(RegistrySection &section, const RegistryValue &value);

} // namespace platform
