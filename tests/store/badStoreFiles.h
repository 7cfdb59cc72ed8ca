// Registry files that a player's disk may hold in place of a good one, and what the store must make
// of each: load what it can, write nothing over what it does not understand, and go on quietly.
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

struct BadFile {
    const char *name;
    void (*make)(const std::string &file); // lays the bad file, or what stands in its place
    std::vector<Entry> loads;              // the table that loads from it, best entry first
    bool rewritable;                       // a save goes through and keeps every line the file held
    bool asOtherUser;                      // root reads and writes anything, so the case runs without root
    long fileSizeLimit; // above 0: no file may grow beyond this many bytes, as on a full disk
    int linesOnLoad;    // lines on stderr while the table loads
};

const std::vector<BadFile> &badFiles();

// The registry file under $XDG_DATA_HOME.
std::string registryFilePath();

// The bytes of a file, or for a folder the names and bytes of what it holds; empty when absent.
std::string snapshot(const std::string &path);

void writeFile(const std::string &path, const std::string &bytes);

// The lines of a text, without their line ends; blank lines left out.
std::vector<std::string> textLines(const std::string &text);

} // namespace badStoreFiles
