// A registry export, as Windows' registry editor writes it: a header line, then each key in brackets
// followed by its values. The stand-in keeps the file's text in one buffer, line ends and all, and
// finds in it only what one key needs: where that key's values stand. Everything else is written back
// as it stands, each line with its own ending.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace platform
{

// How the file's text is written: REGEDIT4 files in the ANSI code page, Windows-1252; the
// "Version 5.00" form in UTF-16, or in UTF-8 when an editor saved it so. Both Unicode forms begin
// with a byte-order mark.
enum class FileText { Windows1252, Utf16, Utf8 };

struct RegistryFile {
    FileText form = FileText::Windows1252;
    std::string text;           // Windows-1252 bytes in such a file, UTF-8 in the others
    size_t headerEnd = 0;       // where the header line's text ends
    bool halfCharacter = false; // a UTF-16 file cut off inside its last character: never written over
};

// Where a line's text stands in the file's text, from its first character to its line end. A value's
// line runs on over the continuation lines of its hex data.
struct Span {
    size_t start = 0;
    size_t end = 0;
};

// What the file holds of one key, found in one pass over it. A key deleted by a "[-...]" line is gone
// with its values, as regedit imports it.
struct KeyLines {
    bool held = false;
    std::vector<Span> values; // the key's value lines since its last deletion, in the file's order
    size_t lastSection = 0;   // where the key's last section begins, when it is held
    size_t sectionEnd = 0;    // just past the line end of that section's last line that is not blank
};

// False when the bytes are no registry export at all.
bool readRegistryFile(std::string bytes, RegistryFile &file);

// An empty file in the form Windows' regedit exports today: "Version 5.00", in UTF-16.
RegistryFile newRegistryFile();

// Whether a name or a value can stand in a line: UTF-8 without a line end or a zero byte.
bool fitsOneLine(const std::string &text);

// A key's path as it is matched: lower case, parts separated by single backslashes.
std::string normalizedKey(const std::string &path);

KeyLines findKey(const RegistryFile &file, const std::string &key);

// The text of the key's value of that name, as UTF-8; false when it holds no text in quotes.
bool findText(const RegistryFile &file, const KeyLines &lines, const std::string &name, std::string &value);

// The file with these values of the key set, each over its last definition, of whatever type; a new one
// goes to the key's last section in name order, or to a new section at the end. Names and values are
// UTF-8 without line ends or zero bytes. A REGEDIT4 file stays one while all it holds fits its code page,
// and is otherwise written whole in the Unicode form.
using Changes = std::vector<std::pair<std::string, std::string>>;
std::string writeRegistryFile(const RegistryFile &file, const KeyLines &lines,
                              const std::string &keyAsWritten, const Changes &changes);

} // namespace platform
