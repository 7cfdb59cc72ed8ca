#include "badStoreFiles.h"

#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace badStoreFiles
{

static const std::string goodFile = "REGEDIT4\r\n"
                                    "\r\n"
                                    "[HKEY_LOCAL_MACHINE\\Software\\Brindlow\\Tallyfive\\1.2]\r\n"
                                    "\"TopName0\"=\"Ann\"\r\n"
                                    "\"TopName1\"=\"Bob\"\r\n"
                                    "\"TopScore0\"=\"300\"\r\n"
                                    "\"TopScore1\"=\"200\"\r\n"
                                    "\r\n";

static void makeFolders(const std::string &file)
{
    for (size_t slash = file.find('/', 1); slash != std::string::npos; slash = file.find('/', slash + 1))
        mkdir(file.substr(0, slash).c_str(), 0755);
}

void writeFile(const std::string &path, const std::string &bytes)
{
    makeFolders(path);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

static void makeCorrupt(const std::string &file)
{
    std::string bytes = goodFile;
    bytes.insert(bytes.find("\"TopName1\""), "this is no registry line\r\n\x01\x02\xff\xfe junk\r\n");
    bytes.replace(bytes.find("\"TopName1\"=\"Bob\""), 16, "\"TopName1\"=Bob");
    writeFile(file, bytes);
}

static void makeTruncated(const std::string &file)
{
    writeFile(file, goodFile.substr(0, goodFile.find("\"TopScore0\"") + 15));
}

static void makeBinary(const std::string &file)
{
    std::string bytes;
    uint32_t state = 12345;
    for (int i = 0; i < 600; ++i) {
        state = state * 1103515245u + 12345u;
        bytes += char(state >> 16);
    }
    bytes[0] = '\x89';
    writeFile(file, bytes);
}

// A Unicode export cut off in the middle of its last character.
static void makeHalfCharacter(const std::string &file)
{
    std::string bytes = "\xff\xfe";
    const std::string text = "Windows Registry Editor Version 5.00" + goodFile.substr(8);
    for (char character : text)
        bytes += std::string{character, '\0'};
    bytes.pop_back();
    writeFile(file, bytes);
}

static void makeFolder(const std::string &file)
{
    writeFile(file + "/kept.txt", "a folder stands where the file should be\n");
}

static void makeReadOnlyFolder(const std::string &file)
{
    writeFile(file, goodFile);
    chmod(file.substr(0, file.rfind('/')).c_str(), 0555);
}

static void makeUnreadable(const std::string &file)
{
    writeFile(file, goodFile);
    chmod(file.c_str(), 0);
}

static void makeGood(const std::string &file)
{
    writeFile(file, goodFile);
}

const std::vector<BadFile> &badFiles()
{
    static const long fullDisk = long(goodFile.size());
    static const std::vector<BadFile> files = {
        {"corrupt lines", makeCorrupt, {{"Ann", 300}, {"", 200}}, true, false, 0, 1},
        {"truncated", makeTruncated, {{"Ann", 0}, {"Bob", 0}}, true, false, 0, 1},
        {"binary", makeBinary, {}, false, false, 0, 1},
        {"half a character", makeHalfCharacter, {{"Ann", 300}, {"Bob", 200}}, false, false, 0, 1},
        {"a folder in its place", makeFolder, {}, false, false, 0, 1},
        {"read-only folder", makeReadOnlyFolder, {{"Ann", 300}, {"Bob", 200}}, false, true, 0, 0},
        {"unreadable", makeUnreadable, {}, false, true, 0, 1},
        {"full disk", makeGood, {{"Ann", 300}, {"Bob", 200}}, false, false, fullDisk, 0},
    };
    return files;
}

std::string registryFilePath()
{
    const char *dataFolder = std::getenv("XDG_DATA_HOME");
    return std::string(dataFolder ? dataFolder : "") + "/Brindlow/Tallyfive/HKEY_LOCAL_MACHINE.reg";
}

std::string snapshot(const std::string &path)
{
    struct stat status {
    };
    if (stat(path.c_str(), &status) != 0)
        return std::string();
    if (!S_ISDIR(status.st_mode)) {
        std::ostringstream bytes;
        bytes << std::ifstream(path, std::ios::binary).rdbuf();
        return bytes.str();
    }
    std::vector<std::string> names;
    if (DIR *folder = opendir(path.c_str())) {
        while (dirent *entry = readdir(folder)) {
            if (std::string(entry->d_name) != "." && std::string(entry->d_name) != "..")
                names.push_back(entry->d_name);
        }
        closedir(folder);
    }
    std::sort(names.begin(), names.end());
    std::string listing = "folder\n";
    for (const std::string &name : names)
        listing += name + ":" + snapshot(path + "/" + name) + "\n";
    return listing;
}

std::vector<std::string> textLines(const std::string &text)
{
    std::vector<std::string> lines;
    std::istringstream input(text);
    for (std::string line; std::getline(input, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
    }
    return lines;
}

} // namespace badStoreFiles
