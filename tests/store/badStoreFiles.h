// Registry files that a player's disk may hold in place of a good one, and what the store must make
// of each: load what it can, write nothing over what it does not understand, and go on quietly.
// Entry is shared with the store's test, whose Windows build uses nothing else of this header.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace badStoreFiles
{

struct Entry {
    std::string name;
    int16_t score;
};

// What stands where the registry file should be. A read-only folder and an unreadable file only
// stop a user without root's rights; a full disk lets no file grow beyond the good file's size.
enum class Place { file, folder, readOnlyFolder, unreadableFile, fullDisk };

struct BadFile {
    const char *name;
    Place place;
    std::string bytes;
    std::vector<Entry> loads; // the table that loads from it, best entry first
    bool rewritable;          // a save goes through and keeps every line the file held
    int linesOnLoad;          // lines on stderr while the table loads
};

inline bool needsOtherUser(const BadFile &file)
{
    return file.place == Place::readOnlyFolder || file.place == Place::unreadableFile;
}

const std::vector<BadFile> &badFiles();
void lay(const BadFile &file, const std::string &path);

// The registry file under $XDG_DATA_HOME.
std::string registryFilePath();

// The bytes of a file, or for a folder the names and bytes of what it holds; empty when absent.
std::string snapshot(const std::string &path);

void writeFile(const std::string &path, const std::string &bytes);

// The lines of a text, without their line ends; blank lines left out.
std::vector<std::string> textLines(const std::string &text);

// Little-endian UTF-16, as regedit's Unicode exports hold it.
std::string utf16(const std::u16string &text);

} // namespace badStoreFiles
