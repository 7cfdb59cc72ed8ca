#include "platform/registryFile.h"

#include "platform/windows1252.h"

#include <algorithm>
#include <map>

namespace platform
{

static const char *const headers[] = {"REGEDIT4", "Windows Registry Editor Version 5.00"};

static std::string lowered(std::string text)
{
    for (char &c : text) {
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    }
    return text;
}

std::string normalizedKey(const std::string &path)
{
    std::string key;
    for (size_t start = 0; start <= path.size();) {
        size_t end = path.find('\\', start);
        end = end == std::string::npos ? path.size() : end;
        if (end > start)
            key += (key.empty() ? "" : "\\") + path.substr(start, end - start);
        start = end + 1;
    }
    return lowered(key);
}

// A line ends at a CR, an LF, or a CR and an LF together, as regedit reads it: a CR, CR and LF is a
// line and a blank one. Gives the end of the line's text and where the next line starts.
static size_t lineEnd(const std::string &text, size_t start, size_t &next)
{
    size_t end = start;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n')
        ++end;
    next = end == text.size() ? end : end + 1;
    if (next < text.size() && text[end] == '\r' && text[next] == '\n')
        ++next;
    return end;
}

static size_t skipBlanks(const std::string &text, size_t position, size_t end)
{
    while (position < end && (text[position] == ' ' || text[position] == '\t'))
        ++position;
    return position;
}

static bool endsInBackslash(const std::string &text, size_t start, size_t end)
{
    while (end > start && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        --end;
    return end > start && text[end - 1] == '\\';
}

static bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'f');
}

// A text in quotes with regedit's two escapes, \\ and \"; anything else is not understood.
static bool readQuoted(const std::string &text, size_t &position, size_t end, std::string &out)
{
    if (position >= end || text[position] != '"')
        return false;
    out.clear();
    for (++position; position < end; ++position) {
        const char c = text[position];
        if (c == '"') {
            ++position;
            return true;
        }
        if (c == '\\') {
            if (position + 1 == end || (text[position + 1] != '\\' && text[position + 1] != '"'))
                return false;
            ++position;
        }
        out += text[position];
    }
    return false;
}

static std::string quoted(const std::string &text)
{
    std::string out = "\"";
    for (char c : text)
        out += c == '\\' || c == '"' ? std::string{'\\', c} : std::string{c};
    return out + '"';
}

static std::string asUtf8(const RegistryFile &file, const std::string &text)
{
    return file.form == FileText::Windows1252 ? windows1252ToUtf8(text) : text;
}

// A value line's name, as UTF-8 in lower case, with `position` left after its "="; false for any
// other line.
static bool readValueName(const RegistryFile &file, size_t &position, size_t end, std::string &name)
{
    const std::string &text = file.text;
    if (!readQuoted(text, position, end, name))
        return false;
    position = skipBlanks(text, position, end);
    if (position == end || text[position] != '=')
        return false;
    ++position;
    name = lowered(asUtf8(file, name));
    return true;
}

static std::string decodeUtf16(const std::string &bytes)
{
    std::string text;
    text.reserve(bytes.size() / 2);
    const auto unit = [&bytes](size_t i) {
        return char32_t((unsigned char)bytes[i] | (unsigned char)bytes[i + 1] << 8);
    };
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 &&
            unit(i + 2) < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        }
        appendUtf8(text, c);
    }
    return text;
}

static void appendUtf16(std::string &bytes, char32_t c)
{
    const auto add = [&bytes](char32_t unit) { bytes += {char(unit & 0xFF), char(unit >> 8)}; };
    if (c >= 0x10000) {
        add(0xD800 + ((c - 0x10000) >> 10));
        add(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
        add(c);
    }
}

bool readRegistryFile(std::string bytes, RegistryFile &file)
{
    file = RegistryFile();
    if (bytes.compare(0, 2, "\xFF\xFE") == 0) {
        file.form = FileText::Utf16;
        file.halfCharacter = bytes.size() % 2 != 0;
        file.text = decodeUtf16(bytes);
    } else if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        file.form = FileText::Utf8;
        file.text = std::move(bytes.erase(0, 3));
    } else {
        file.text = std::move(bytes);
    }
    size_t next = 0, end = lineEnd(file.text, 0, next);
    file.headerEnd = end;
    while (end > 0 && (file.text[end - 1] == ' ' || file.text[end - 1] == '\t'))
        --end;
    return file.text.compare(0, end, headers[0]) == 0 || file.text.compare(0, end, headers[1]) == 0;
}

RegistryFile newRegistryFile()
{
    RegistryFile file;
    file.form = FileText::Utf16;
    file.text = std::string(headers[1]) + "\r\n";
    file.headerEnd = file.text.size() - 2;
    return file;
}

bool fitsOneLine(const std::string &text)
{
    char32_t c = 0;
    for (size_t position = 0; position < text.size();) {
        if (!readUtf8(text, position, c) || c == '\r' || c == '\n' || c == 0)
            return false;
    }
    return true;
}

// The key that a line in brackets names, and whether it deletes it. A key ends at its last bracket,
// which only blanks or a comment may follow; any other line that opens a bracket still ends the key
// before it, so that nothing after it is taken for that key's.
static std::string keyOfLine(const RegistryFile &file, size_t first, size_t end, bool &deletion)
{
    const std::string &text = file.text;
    deletion = first + 1 < end && text[first + 1] == '-';
    const size_t open = first + 1 + deletion;
    for (size_t close = end; close > open;) {
        close = text.rfind(']', close - 1);
        if (close == std::string::npos || close < open)
            break;
        const size_t after = skipBlanks(text, close + 1, end);
        if (after == end || text[after] == ';')
            return normalizedKey(asUtf8(file, text.substr(open, close - open)));
    }
    return std::string();
}

static bool deletes(const std::string &deleted, const std::string &key)
{
    return key == deleted || key.compare(0, deleted.size() + 1, deleted + '\\') == 0;
}

KeyLines findKey(const RegistryFile &file, const std::string &key)
{
    const std::string &text = file.text;
    KeyLines found;
    bool inKey = false, continuing = false;
    std::string name;
    size_t next = 0;
    lineEnd(text, 0, next);
    for (size_t start = next; start < text.size(); start = next) {
        const size_t end = lineEnd(text, start, next);
        size_t first = skipBlanks(text, start, end);
        if (continuing) {
            // Hex data goes on over lines of hex digits; blank lines and comments between them are
            // passed over, and any other line ends it, as regedit reads them.
            if (first == end || text[first] == ';')
                continue;
            if (isHexDigit(text[first])) {
                continuing = endsInBackslash(text, first, end);
                if (inKey)
                    found.values.back().end = end, found.sectionEnd = next;
                continue;
            }
            continuing = false;
        }
        if (first == end)
            continue;
        if (text[first] == '[') {
            bool deletion = false;
            const std::string named = keyOfLine(file, first, end, deletion);
            if (deletion && !named.empty() && deletes(named, key))
                found = KeyLines();
            inKey = !deletion && named == key;
            if (inKey)
                found.held = true, found.lastSection = start, found.sectionEnd = next;
            continue;
        }
        if (inKey)
            found.sectionEnd = next;
        if (readValueName(file, first, end, name)) {
            continuing = endsInBackslash(text, first, end);
            if (inKey)
                found.values.push_back({start, end});
        }
    }
    return found;
}

// The key's last line that defines the value, or none.
static const Span *lastDefinition(const RegistryFile &file, const KeyLines &lines, const std::string &name)
{
    std::string read;
    for (auto value = lines.values.rbegin(); value != lines.values.rend(); ++value) {
        size_t position = skipBlanks(file.text, value->start, value->end);
        if (readValueName(file, position, value->end, read) && read == name)
            return &*value;
    }
    return nullptr;
}

bool findText(const RegistryFile &file, const KeyLines &lines, const std::string &name, std::string &value)
{
    const Span *definition = lastDefinition(file, lines, lowered(name));
    if (!definition)
        return false;
    size_t next = 0;
    const size_t end = lineEnd(file.text, definition->start, next);
    size_t position = skipBlanks(file.text, definition->start, end);
    std::string read;
    readValueName(file, position, end, read);
    position = skipBlanks(file.text, position, end);
    if (!readQuoted(file.text, position, end, value) || skipBlanks(file.text, position, end) != end)
        return false;
    // A text that a UTF-8 file holds in bytes that are no UTF-8 loads cleaned, so that it can be set again.
    value = file.form == FileText::Utf8 ? validUtf8(value) : asUtf8(file, value);
    return true;
}

// Where a new value goes in the key's last section: before the first value whose name comes after its
// own, or after the section's last line.
static size_t insertionPoint(const RegistryFile &file, const KeyLines &lines, const std::string &name)
{
    std::string read;
    for (const Span &value : lines.values) {
        size_t position = skipBlanks(file.text, value.start, value.end);
        if (value.start > lines.lastSection && readValueName(file, position, value.end, read) && read > name)
            return value.start;
    }
    return lines.sectionEnd;
}

// New lines end as the line before them does; "\r\n" in a file of one line without an end.
static std::string lineEndBefore(const std::string &text, size_t at)
{
    while (at > 0 && text[at - 1] != '\r' && text[at - 1] != '\n')
        --at;
    if (at == 0)
        return "\r\n";
    if (text[at - 1] == '\r')
        return "\r";
    return at > 1 && text[at - 2] == '\r' ? "\r\n" : "\n";
}

static bool endsLine(const std::string &text, size_t at)
{
    return at > 0 && (text[at - 1] == '\r' || text[at - 1] == '\n');
}

// Whether the file's last line holds nothing but blanks.
static bool lastLineBlank(const std::string &text)
{
    size_t end = text.size();
    if (end > 0 && text[end - 1] == '\n')
        --end;
    if (end > 0 && text[end - 1] == '\r')
        --end;
    while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        --end;
    return end == 0 || text[end - 1] == '\r' || text[end - 1] == '\n';
}

static bool fitsWindows1252(const std::string &text)
{
    char32_t c = 0;
    for (size_t position = 0; position < text.size();) {
        if (!readUtf8(text, position, c) || toWindows1252(c) < 0)
            return false;
    }
    return true;
}

// Appends text of the file's form, or UTF-8, as UTF-16.
static void appendAsUtf16(std::string &out, const std::string &text, size_t start, size_t end,
                          bool windows1252)
{
    for (size_t position = start; position < end;) {
        char32_t c = '?';
        if (windows1252)
            c = fromWindows1252((unsigned char)text[position++]);
        else if (!readUtf8(text, position, c))
            ++position;
        appendUtf16(out, c);
    }
}

// The written bytes: the file's own text, and the new lines, each turned into the form written.
struct Writer {
    FileText from;
    FileText to;
    std::string out;

    void original(const std::string &text, size_t start, size_t end)
    {
        if (to == FileText::Utf16)
            appendAsUtf16(out, text, start, end, from == FileText::Windows1252);
        else
            out.append(text, start, end - start);
    }

    void added(const std::string &utf8)
    {
        if (to == FileText::Utf16)
            appendAsUtf16(out, utf8, 0, utf8.size(), false);
        else
            out += to == FileText::Windows1252 ? utf8ToWindows1252(utf8) : utf8;
    }
};

struct Edit {
    size_t start;
    size_t end;
    std::string text; // UTF-8
};

std::string writeRegistryFile(const RegistryFile &file, const KeyLines &lines,
                              const std::string &keyAsWritten, const Changes &changes)
{
    const std::string &text = file.text;
    std::map<std::string, std::string> byName; // lower-case name: the line, the last set of each name
    bool fits = fitsWindows1252(keyAsWritten);
    for (const auto &[name, value] : changes) {
        byName[lowered(name)] = quoted(name) + '=' + quoted(value);
        fits = fits && fitsWindows1252(name) && fitsWindows1252(value);
    }
    Writer writer{file.form == FileText::Windows1252 ? FileText::Windows1252 : FileText::Utf8,
                  file.form == FileText::Windows1252 && !fits ? FileText::Utf16 : file.form, std::string()};
    std::vector<Edit> edits;
    if (writer.to != file.form)
        edits.push_back({0, file.headerEnd, headers[1]});
    const std::string lastEnd = lineEndBefore(text, text.size());
    std::string section;
    for (const auto &[name, line] : byName) {
        if (const Span *definition = lastDefinition(file, lines, name)) {
            edits.push_back({definition->start, definition->end, line});
        } else if (lines.held) {
            const size_t at = insertionPoint(file, lines, name);
            const std::string end = lineEndBefore(text, at);
            edits.push_back({at, at, (endsLine(text, at) ? "" : end) + line + end});
        } else {
            section += line + lastEnd;
        }
    }
    if (!section.empty()) {
        const std::string before =
            (endsLine(text, text.size()) ? "" : lastEnd) + (lastLineBlank(text) ? "" : lastEnd);
        edits.push_back(
            {text.size(), text.size(), before + '[' + keyAsWritten + ']' + lastEnd + section + lastEnd});
    }
    std::stable_sort(edits.begin(), edits.end(), [](const Edit &a, const Edit &b) {
        return a.start < b.start || (a.start == b.start && a.end < b.end);
    });

    writer.out = writer.to == FileText::Utf16  ? "\xFF\xFE"
                 : writer.to == FileText::Utf8 ? "\xEF\xBB\xBF"
                                               : "";
    writer.out.reserve(text.size() * (writer.to == FileText::Utf16 ? 2 : 1) + 4096);
    size_t position = 0;
    for (const Edit &edit : edits) {
        writer.original(text, position, edit.start);
        writer.added(edit.text);
        position = edit.end;
    }
    writer.original(text, position, text.size());
    return std::move(writer.out);
}

} // namespace platform
