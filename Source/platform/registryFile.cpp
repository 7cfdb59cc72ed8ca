#include "platform/registryFile.h"

#include "platform/windows1252.h"

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

static size_t skipBlanks(const std::string &text, size_t position)
{
    while (position < text.size() && (text[position] == ' ' || text[position] == '\t'))
        ++position;
    return position;
}

static bool isBlank(const std::string &text)
{
    return skipBlanks(text, 0) == text.size();
}

static bool endsInBackslash(const std::string &text)
{
    size_t end = text.size();
    while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        --end;
    return end > 0 && text[end - 1] == '\\';
}

// A text in quotes with regedit's two escapes, \\ and \"; anything else is not understood.
static bool readQuoted(const std::string &text, size_t &position, std::string &out)
{
    if (position >= text.size() || text[position] != '"')
        return false;
    out.clear();
    for (++position; position < text.size(); ++position) {
        const char c = text[position];
        if (c == '"') {
            ++position;
            return true;
        }
        if (c == '\\') {
            if (position + 1 == text.size() || (text[position + 1] != '\\' && text[position + 1] != '"'))
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

// What a line is, given the line before it: a hex value that ends in a backslash goes on in the lines
// after it, up to a blank line or a key.
static void understand(RegistryLine &line, const RegistryLine *previous)
{
    const std::string &text = line.text;
    size_t position = skipBlanks(text, 0);
    line.kind = RegistryLine::Other;
    line.plain = false;
    if (position == text.size())
        return;
    if (text[position] != '[') {
        if (previous &&
            (previous->kind == RegistryLine::Value || previous->kind == RegistryLine::Continuation) &&
            endsInBackslash(previous->text)) {
            line.kind = RegistryLine::Continuation;
            return;
        }
        if (!readQuoted(text, position, line.name))
            return;
        position = skipBlanks(text, position);
        if (position == text.size() || text[position] != '=')
            return;
        line.kind = RegistryLine::Value;
        line.name = lowered(line.name);
        position = skipBlanks(text, position + 1);
        line.plain = readQuoted(text, position, line.value) && skipBlanks(text, position) == text.size();
        return;
    }
    // A key ends at its last bracket, which only blanks or a comment may follow; any other line that
    // opens a bracket still ends the key before it, so that nothing after it is taken for that key's.
    const bool deletion = position + 1 < text.size() && text[position + 1] == '-';
    line.kind = deletion ? RegistryLine::Deletion : RegistryLine::Key;
    line.key.clear();
    for (size_t close = text.rfind(']'); close != std::string::npos && close > position;
         close = text.rfind(']', close - 1)) {
        const size_t after = skipBlanks(text, close + 1);
        if (after == text.size() || text[after] == ';') {
            line.key = normalizedKey(text.substr(position + 1 + deletion, close - position - 1 - deletion));
            break;
        }
    }
}

static std::string decodeUtf16(const std::string &bytes, size_t start)
{
    std::string text;
    text.reserve(bytes.size() / 2);
    const auto unit = [&bytes](size_t i) {
        return char32_t((unsigned char)bytes[i] | (unsigned char)bytes[i + 1] << 8);
    };
    for (size_t i = start; i + 1 < bytes.size(); i += 2) {
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

static std::string encodeUtf16(const std::string &text)
{
    std::string bytes;
    bytes.reserve(2 * text.size());
    const auto add = [&bytes](char32_t unit) { bytes += {char(unit & 0xFF), char(unit >> 8)}; };
    for (size_t position = 0; position < text.size();) {
        char32_t c = '?';
        if (!readUtf8(text, position, c))
            ++position;
        if (c >= 0x10000) {
            add(0xD800 + ((c - 0x10000) >> 10));
            add(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            add(c);
        }
    }
    return bytes;
}

bool readRegistryFile(const std::string &bytes, RegistryFile &file)
{
    file = RegistryFile();
    std::string text;
    if (bytes.compare(0, 2, "\xFF\xFE") == 0) {
        file.form = FileText::Utf16;
        file.halfCharacter = bytes.size() % 2 != 0;
        text = decodeUtf16(bytes, 2);
    } else if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        file.form = FileText::Utf8;
        text = bytes.substr(3);
    } else {
        text = bytes;
    }
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        RegistryLine line;
        if (end == std::string::npos) {
            line.text = text.substr(start);
            end = text.size();
        } else {
            const bool crlf = end > start && text[end - 1] == '\r';
            line.text = text.substr(start, end - start - crlf);
            line.end = crlf ? "\r\n" : "\n";
        }
        understand(line, file.lines.empty() ? nullptr : &file.lines.back());
        file.lines.push_back(std::move(line));
        start = end + 1;
    }
    if (file.lines.empty())
        return false;
    std::string header = file.lines[0].text;
    const size_t last = header.find_last_not_of(" \t");
    header.erase(last == std::string::npos ? 0 : last + 1);
    return header == headers[0] || header == headers[1];
}

std::string writeRegistryFile(const RegistryFile &file)
{
    std::string text;
    for (const RegistryLine &line : file.lines)
        text += line.text + line.end;
    if (file.form == FileText::Utf16)
        return "\xFF\xFE" + encodeUtf16(text);
    return file.form == FileText::Utf8 ? "\xEF\xBB\xBF" + text : text;
}

static bool deletes(const RegistryLine &line, const std::string &key)
{
    return line.kind == RegistryLine::Deletion &&
           (key == line.key || key.compare(0, line.key.size() + 1, line.key + '\\') == 0);
}

bool hasKey(const RegistryFile &file, const std::string &key)
{
    bool held = false;
    for (const RegistryLine &line : file.lines)
        held = (held && !deletes(line, key)) || (line.kind == RegistryLine::Key && line.key == key);
    return held;
}

// Where a value of a key stands: its last definition, the key's last section, and where in it the
// value would stand in name order. -1 for each that is not there.
struct Place {
    long definition = -1;
    long section = -1;
    long sectionEnd = -1;
    long before = -1;
};

static Place findPlace(const RegistryFile &file, const std::string &key, const std::string &name)
{
    Place place;
    bool inKey = false;
    for (size_t i = 0; i < file.lines.size(); ++i) {
        const RegistryLine &line = file.lines[i];
        if (line.kind == RegistryLine::Key || line.kind == RegistryLine::Deletion) {
            inKey = line.kind == RegistryLine::Key && line.key == key;
            if (deletes(line, key))
                place = Place();
            if (inKey)
                place.section = long(i), place.before = -1;
        }
        if (!inKey)
            continue;
        if (!isBlank(line.text))
            place.sectionEnd = long(i) + 1;
        if (line.kind == RegistryLine::Value && line.name == name)
            place.definition = long(i);
        if (line.kind == RegistryLine::Value && line.name > name && place.before < 0)
            place.before = long(i);
    }
    return place;
}

bool findText(const RegistryFile &file, const std::string &key, const std::string &name, std::string &value)
{
    const Place place = findPlace(file, key, lowered(name));
    if (place.definition < 0 || !file.lines[size_t(place.definition)].plain)
        return false;
    value = file.lines[size_t(place.definition)].value;
    return true;
}

// Puts new lines in at `position`, each understood after the line before it.
static void insertLines(RegistryFile &file, size_t position, const std::vector<std::string> &texts)
{
    if (position > 0 && file.lines[position - 1].end.empty())
        file.lines[position - 1].end = "\r\n";
    for (const std::string &text : texts) {
        RegistryLine line;
        line.text = text;
        line.end = "\r\n";
        understand(line, position > 0 ? &file.lines[position - 1] : nullptr);
        file.lines.insert(file.lines.begin() + long(position++), std::move(line));
    }
}

// A new section at the end, after a blank line.
static void appendSection(RegistryFile &file, const std::string &keyAsWritten,
                          std::vector<std::string> values)
{
    values.insert(values.begin(), "[" + keyAsWritten + "]");
    if (!isBlank(file.lines.back().text))
        values.insert(values.begin(), "");
    values.push_back("");
    insertLines(file, file.lines.size(), values);
}

bool setText(RegistryFile &file, const std::string &keyAsWritten, const std::string &name,
             const std::string &value)
{
    if ((name + value).find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
        return false;
    const bool ansi = file.form == FileText::Windows1252;
    const std::string line =
        ansi ? quoted(name) + '=' + quoted(value) : windows1252ToUtf8(quoted(name) + '=' + quoted(value));
    const Place place = findPlace(file, normalizedKey(keyAsWritten), lowered(name));
    if (place.definition >= 0) {
        // Set over the old value, of whatever type, and whatever lines it went on in.
        auto old = file.lines.begin() + place.definition;
        while (old + 1 != file.lines.end() && old[1].kind == RegistryLine::Continuation)
            file.lines.erase(old + 1);
        old->text = line;
        understand(*old, place.definition > 0 ? &old[-1] : nullptr);
    } else if (place.section >= 0) {
        const size_t at = size_t(place.before >= 0 ? place.before : place.sectionEnd);
        // A value that a backslash leaves open would take the new line for its own.
        if (place.before < 0 && endsInBackslash(file.lines[at - 1].text))
            insertLines(file, at, {"", line});
        else
            insertLines(file, at, {line});
    } else {
        appendSection(file, ansi ? keyAsWritten : windows1252ToUtf8(keyAsWritten), {line});
    }
    return true;
}

} // namespace platform
