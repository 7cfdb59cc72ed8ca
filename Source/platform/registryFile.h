// A registry export file, as Windows' registry editor writes it: a header line, then each key in
// brackets followed by its values. The stand-in keeps the file as its lines and understands only what
// the top-score store needs of it: which key each line belongs to, and the values that hold plain text.
// Every other line is kept as it stands, and written back byte for byte.
#pragma once

#include <string>
#include <vector>

namespace platform
{

// How the file's text is written: REGEDIT4 files in the ANSI code page, Windows-1252; the
// "Version 5.00" form in UTF-16, or in UTF-8 when an editor saved it so. Both Unicode forms begin
// with a byte-order mark.
enum class FileText { Windows1252, Utf16, Utf8 };

struct RegistryLine {
    enum Kind { Other, Key, Deletion, Value, Continuation };
    Kind kind = Other;
    std::string text;   // without its line end: Windows-1252 bytes in such a file, UTF-8 in the others
    std::string end;    // "\r\n", "\n", or nothing at the end of a file without a last line end
    std::string key;    // of a key or deletion line: the key's path, in lower case
    std::string name;   // of a value line: the value's name, in lower case
    bool plain = false; // a value line whose value is text in quotes
    std::string value;  // that text, its escapes undone
};

struct RegistryFile {
    FileText form = FileText::Windows1252;
    std::vector<RegistryLine> lines; // the first is the header
    bool halfCharacter = false;      // a UTF-16 file cut off inside its last character: never written over
};

// False when the bytes are no registry export at all.
bool readRegistryFile(const std::string &bytes, RegistryFile &file);
std::string writeRegistryFile(const RegistryFile &file);

// A key's path as it is matched: lower case, parts separated by single backslashes.
std::string normalizedKey(const std::string &path);

// Whether the file holds the key; and the text of one of its values, in the file's own form. A key
// deleted by a "[-...]" line after it is gone, as regedit imports it.
bool hasKey(const RegistryFile &file, const std::string &key);
bool findText(const RegistryFile &file, const std::string &key, const std::string &name, std::string &value);

// Sets a value over its last definition, of whatever type; a new one goes to the key's last section
// in name order, or to a new section at the end. False for text that a line cannot hold.
bool setText(RegistryFile &file, const std::string &keyAsWritten, const std::string &name,
             const std::string &value);

} // namespace platform
