// Registry export files: reading both forms that regedit writes, and writing them as it exports.
#include "platform/registryFile.h"

#include <algorithm>
#include <iterator>

namespace platform
{

static const QString ansiHeader = QStringLiteral("REGEDIT4");
static const QString unicodeHeader = QStringLiteral("Windows Registry Editor Version 5.00");

enum : uint32_t { typeSz = 1, typeExpandSz = 2, typeBinary = 3, typeDword = 4, typeMultiSz = 7 };

// Windows-1252 from 0x80 to 0x9F. The five bytes that it leaves undefined stand for the control
// characters of the same number, as Windows converts them, so that every byte reads and writes back.
static const char16_t windows1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                             0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                             0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                             0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

static QString decodeAnsi(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (char byte : bytes) {
        const auto code = static_cast<uint8_t>(byte);
        text += QChar(code >= 0x80 && code < 0xA0 ? windows1252High[code - 0x80] : char16_t(code));
    }
    return text;
}

// False when a character has no byte in Windows-1252.
static bool encodeAnsi(const QString &text, QByteArray &bytes)
{
    bytes.clear();
    bytes.reserve(text.size());
    for (QChar character : text) {
        const char16_t unit = character.unicode();
        if (unit < 0x80 || (unit >= 0xA0 && unit < 0x100)) {
            bytes += char(unit);
            continue;
        }
        const char16_t *found = std::find(std::begin(windows1252High), std::end(windows1252High), unit);
        if (found == std::end(windows1252High))
            return false;
        bytes += char(0x80 + (found - windows1252High));
    }
    return true;
}

static QString decodeUtf16(const char *bytes, qsizetype units)
{
    QString text;
    text.reserve(units);
    for (qsizetype i = 0; i < units; ++i)
        text += QChar(char16_t(uint8_t(bytes[2 * i]) | uint8_t(bytes[2 * i + 1]) << 8));
    return text;
}

// Unit by unit, so that even a lone surrogate is written back as it was read.
static QByteArray encodeUtf16(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(2 * text.size());
    for (QChar character : text) {
        bytes += char(character.unicode() & 0xFF);
        bytes += char(character.unicode() >> 8);
    }
    return bytes;
}

bool isStringType(uint32_t type)
{
    return type == typeSz || type == typeExpandSz || type == typeMultiSz;
}

static QString withoutTrailingSpace(const QString &line)
{
    qsizetype end = line.size();
    while (end > 0 && line[end - 1].isSpace())
        --end;
    return line.left(end);
}

static void skipSpace(const QString &line, qsizetype &position)
{
    while (position < line.size() && line[position].isSpace())
        ++position;
}

// A quoted text with its escapes. An unknown escape keeps its backslash, as regedit does.
static bool readQuoted(const QString &line, qsizetype &position, QString &text)
{
    if (position >= line.size() || line[position] != u'"')
        return false;
    text.clear();
    for (++position; position < line.size(); ++position) {
        const QChar character = line[position];
        if (character == u'"') {
            ++position;
            return true;
        }
        if (character != u'\\' || position + 1 == line.size()) {
            text += character;
            continue;
        }
        const QChar escape = line[++position];
        if (escape == u'\\' || escape == u'"')
            text += escape;
        else if (escape == u'n')
            text += u'\n';
        else if (escape == u'r')
            text += u'\r';
        else if (escape == u'0')
            text += QChar(0);
        else
            text += QString(u'\\') + escape;
    }
    return false;
}

static bool readHexNumber(QStringView digits, uint32_t &number)
{
    bool ok = false;
    number = digits.toUInt(&ok, 16);
    return ok && !digits.isEmpty() && digits.size() <= 8 && !digits.startsWith(u'+') &&
           !digits.startsWith(u'-');
}

static bool readHexBytes(QStringView list, QByteArray &bytes)
{
    bytes.clear();
    if (list.trimmed().isEmpty())
        return true;
    for (QStringView piece : list.split(u',')) {
        uint32_t byte = 0;
        if (!readHexNumber(piece.trimmed(), byte) || byte > 0xFF)
            return false;
        bytes += char(byte);
    }
    return true;
}

// The data after "name"=, for a file of the given form.
static bool readData(const QString &data, bool unicode, RegistryValue &value)
{
    qsizetype position = 0;
    if (data.startsWith(u'"')) {
        value.type = typeSz;
        if (!readQuoted(data, position, value.text))
            return false;
        skipSpace(data, position);
        return position == data.size();
    }
    const QString trimmed = withoutTrailingSpace(data);
    if (trimmed.startsWith(QLatin1String("dword:"), Qt::CaseInsensitive)) {
        uint32_t number = 0;
        if (!readHexNumber(QStringView(trimmed).mid(6), number))
            return false;
        value.type = typeDword;
        value.data.clear();
        for (int shift = 0; shift < 32; shift += 8)
            value.data += char(number >> shift & 0xFF);
        return true;
    }
    const qsizetype colon = trimmed.indexOf(u':');
    if (colon < 0 || !trimmed.startsWith(QLatin1String("hex"), Qt::CaseInsensitive))
        return false;
    const QStringView kind = QStringView(trimmed).mid(3, colon - 3);
    if (kind.isEmpty())
        value.type = typeBinary;
    else if (!kind.startsWith(u'(') || !kind.endsWith(u')') ||
             !readHexNumber(kind.mid(1, kind.size() - 2), value.type))
        return false;
    if (!readHexBytes(QStringView(trimmed).mid(colon + 1), value.data))
        return false;
    if (!isStringType(value.type))
        return true;
    // Strings given as bytes are in the file's own encoding.
    if (unicode && value.data.size() % 2 != 0)
        return false;
    value.text =
        unicode ? decodeUtf16(value.data.constData(), value.data.size() / 2) : decodeAnsi(value.data);
    value.data.clear();
    value.terminated = value.text.endsWith(QChar(0));
    if (value.terminated)
        value.text.chop(1);
    return true;
}

namespace
{

// One pass over the lines of a file, filling a document.
struct Reader {
    QStringList lines;
    bool unicode = false;
    RegistryDocument &document;
    qsizetype section = -1;

    QStringList &keptLines()
    {
        return section < 0 ? document.keptLines : document.sections[section].keptLines;
    }

    void keep(qsizetype first, qsizetype last, bool understood)
    {
        for (qsizetype i = first; i <= last; ++i)
            keptLines() += lines[i];
        if (understood)
            return;
        if (document.linesNotUnderstood == 0)
            document.firstLineNotUnderstood = int(first + 1);
        document.linesNotUnderstood += int(last - first + 1);
    }

    bool readSection(const QString &line)
    {
        if (!line.endsWith(u']') || line.startsWith(QLatin1String("[-")) || line.size() < 3)
            return false;
        section = &sectionOf(document, line.mid(1, line.size() - 2)) - document.sections.data();
        return true;
    }

    // A value, with the lines that a backslash continues; last is the last line it used.
    bool readValue(qsizetype first, qsizetype &last)
    {
        const QString &line = lines[first];
        RegistryValue value;
        qsizetype position = 0;
        skipSpace(line, position);
        if (line.mid(position).startsWith(u'@'))
            ++position;
        else if (!readQuoted(line, position, value.name))
            return false;
        skipSpace(line, position);
        if (position == line.size() || line[position] != u'=')
            return false;
        ++position;
        skipSpace(line, position);
        QString data = line.mid(position);
        if (data.startsWith(QLatin1String("hex"), Qt::CaseInsensitive)) {
            while (withoutTrailingSpace(data).endsWith(u'\\') && last + 1 < lines.size())
                data = withoutTrailingSpace(data).chopped(1) + lines[++last].trimmed();
            if (withoutTrailingSpace(data).endsWith(u'\\') || withoutTrailingSpace(data).endsWith(u','))
                return false;
        }
        if (section < 0 || !readData(data, unicode, value))
            return false;
        putValue(document.sections[section], value);
        return true;
    }

    void readLines()
    {
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QString line = lines[i].trimmed();
            qsizetype last = i;
            if (line.isEmpty())
                continue;
            if (line.startsWith(u';') || line.startsWith(u'#'))
                keep(i, i, true);
            else if (line.startsWith(u'[') ? !readSection(line) : !readValue(i, last))
                keep(i, last, false);
            i = last;
        }
    }
};

} // namespace

bool parseRegistryFile(const QByteArray &bytes, RegistryDocument &document)
{
    document = RegistryDocument();
    const bool unicode = bytes.startsWith("\xFF\xFE");
    QString text;
    if (unicode) {
        document.cutInHalfCharacter = bytes.size() % 2 != 0;
        text = decodeUtf16(bytes.constData() + 2, (bytes.size() - 2) / 2);
    } else {
        text = decodeAnsi(bytes);
    }
    Reader reader{text.split(u'\n'), unicode, document};
    if (text.endsWith(u'\n'))
        reader.lines.removeLast();
    for (QString &line : reader.lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    const QString header = reader.lines.isEmpty() ? QString() : withoutTrailingSpace(reader.lines[0]);
    if (header != ansiHeader && header != unicodeHeader)
        return false;
    reader.readLines();
    return true;
}

static QString escaped(const QString &text)
{
    QString result = text;
    result.replace(u'\\', QLatin1String("\\\\"));
    result.replace(u'"', QLatin1String("\\\""));
    return result;
}

// Bytes as regedit lists them, continued on a new line before the 80th column.
static QString hexList(const QByteArray &bytes, qsizetype lineLength)
{
    QString list;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        list += QString::asprintf("%02x", unsigned(uint8_t(bytes[i])));
        if (i + 1 == bytes.size())
            break;
        list += u',';
        lineLength += 3;
        if (lineLength >= 77) {
            list += QLatin1String("\\\r\n  ");
            lineLength = 2;
        }
    }
    return list;
}

// One value's line; sayable turns false when a string cannot be written in Windows-1252 bytes.
static QString valueLine(const RegistryValue &value, bool unicode, bool &sayable)
{
    QString line =
        value.name.isEmpty() ? QStringLiteral("@=") : u'"' + escaped(value.name) + QLatin1String("\"=");
    const bool plainText =
        !value.text.contains(QChar(0)) && !value.text.contains(u'\r') && !value.text.contains(u'\n');
    if (value.type == typeSz && value.terminated && plainText)
        return line + u'"' + escaped(value.text) + u'"';
    if (value.type == typeDword && value.data.size() == 4) {
        uint32_t number = 0;
        for (int i = 3; i >= 0; --i)
            number = number << 8 | uint8_t(value.data[i]);
        return line + QString::asprintf("dword:%08x", number);
    }
    QByteArray bytes = value.data;
    if (isStringType(value.type)) {
        const QString text = value.terminated ? value.text + QChar(0) : value.text;
        if (unicode)
            bytes = encodeUtf16(text);
        else if (!encodeAnsi(text, bytes))
            sayable = false;
    }
    line += value.type == typeBinary ? QStringLiteral("hex:") : QString::asprintf("hex(%x):", value.type);
    return line + hexList(bytes, line.size());
}

static QStringList keyParts(const QString &path)
{
    return normalizedKeyPath(path).split(u'\\');
}

// Parents before their subkeys, and names in the order of their lowercase forms, as regedit exports.
static bool sectionBefore(const RegistrySection &first, const RegistrySection &second)
{
    return keyParts(first.path) < keyParts(second.path);
}

static bool valueBefore(const RegistryValue &first, const RegistryValue &second)
{
    return first.name.toLower() < second.name.toLower();
}

static QString formatText(const RegistryDocument &document, bool unicode, bool &sayable)
{
    const QLatin1String lineEnd("\r\n");
    QString text = (unicode ? unicodeHeader : ansiHeader) + lineEnd;
    for (const QString &line : document.keptLines)
        text += line + lineEnd;
    QList<RegistrySection> sections = document.sections;
    std::stable_sort(sections.begin(), sections.end(), sectionBefore);
    for (RegistrySection &section : sections) {
        text += lineEnd + u'[' + section.path + u']' + lineEnd;
        std::stable_sort(section.values.begin(), section.values.end(), valueBefore);
        for (const RegistryValue &value : section.values)
            text += valueLine(value, unicode, sayable) + lineEnd;
        for (const QString &line : section.keptLines)
            text += line + lineEnd;
    }
    return text + lineEnd;
}

QByteArray formatRegistryFile(const RegistryDocument &document)
{
    bool sayable = true;
    QByteArray bytes;
    if (encodeAnsi(formatText(document, false, sayable), bytes) && sayable)
        return bytes;
    return "\xFF\xFE" + encodeUtf16(formatText(document, true, sayable));
}

QString normalizedKeyPath(const QString &path)
{
    return path.split(u'\\', Qt::SkipEmptyParts).join(u'\\').toLower();
}

RegistrySection *findSection(RegistryDocument &document, const QString &path)
{
    const QString wanted = normalizedKeyPath(path);
    for (RegistrySection &section : document.sections) {
        if (normalizedKeyPath(section.path) == wanted)
            return &section;
    }
    return nullptr;
}

bool keyExists(const RegistryDocument &document, const QString &path)
{
    const QString wanted = normalizedKeyPath(path);
    if (!wanted.contains(u'\\'))
        return true; // a root key is always there
    for (const RegistrySection &section : document.sections) {
        const QString held = normalizedKeyPath(section.path);
        if (held == wanted || held.startsWith(wanted + u'\\'))
            return true;
    }
    return false;
}

RegistryValue *findValue(RegistrySection &section, const QString &name)
{
    for (RegistryValue &value : section.values) {
        if (value.name.compare(name, Qt::CaseInsensitive) == 0)
            return &value;
    }
    return nullptr;
}

RegistrySection &sectionOf(RegistryDocument &document, const QString &path)
{
    if (RegistrySection *existing = findSection(document, path))
        return *existing;
    document.sections += RegistrySection{path.split(u'\\', Qt::SkipEmptyParts).join(u'\\'), {}, {}};
    return document.sections.last();
}

void putValue(RegistrySection &section, const RegistryValue &value)
{
    if (RegistryValue *existing = findValue(section, value.name))
        *existing = value;
    else
        section.values += value;
}

} // namespace platform
