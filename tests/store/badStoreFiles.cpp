#include "badStoreFiles.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <sys/stat.h>

namespace badStoreFiles
{

static const std::string header =
    "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Brindlow\\Tallyfive\\1.2]\r\n";
static const std::string goodFile = header + "\"TopName0\"=\"Ann\"\r\n\"TopName1\"=\"Bob\"\r\n"
                                             "\"TopScore0\"=\"300\"\r\n\"TopScore1\"=\"200\"\r\n\r\n";

static const std::string corrupt =
    header + "\"TopName0\"=\"Ann\"\r\nthis is no registry line\r\n\x01\x02\xff\xfe junk\r\n"
             "\"TopName1\"=Bob\r\n\"TopScore0\"=\"300\"\r\n\"TopScore1\"=\"200\"\r\n";
static const std::string truncated = goodFile.substr(0, goodFile.find("\"TopScore0\"") + 15);

// A Unicode export cut off in the middle of its last character.
static std::string halfCharacter()
{
    const std::string text = "Windows Registry Editor Version 5.00" + goodFile.substr(8);
    std::string bytes = utf16(u"\uFEFF" + std::u16string(text.begin(), text.end()));
    bytes.pop_back();
    return bytes;
}

const std::vector<BadFile> &badFiles()
{
    static const std::vector<BadFile> files = {
        {"corrupt lines", Place::file, corrupt, {{"Ann", 300}, {"", 200}}, true, 1},
        {"truncated", Place::file, truncated, {{"Ann", 0}, {"Bob", 0}}, true, 1},
        {"binary", Place::file, std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\x01\xff", 20), {}, false, 1},
        {"half a character", Place::file, halfCharacter(), {{"Ann", 300}, {"Bob", 200}}, false, 1},
        {"a folder in its place", Place::folder, "", {}, false, 1},
        {"read-only folder", Place::readOnlyFolder, goodFile, {{"Ann", 300}, {"Bob", 200}}, false, 0},
        {"unreadable", Place::unreadableFile, goodFile, {}, false, 1},
        {"full disk", Place::fullDisk, goodFile, {{"Ann", 300}, {"Bob", 200}}, false, 0},
    };
    return files;
}

void lay(const BadFile &file, const std::string &path)
{
    if (file.place == Place::folder)
        writeFile(path + "/kept.txt", "a folder stands where the file should be\n");
    else
        writeFile(path, file.bytes);
    if (file.place == Place::readOnlyFolder)
        chmod(path.substr(0, path.rfind('/')).c_str(), 0555);
    if (file.place == Place::unreadableFile)
        chmod(path.c_str(), 0);
}

std::string registryFilePath()
{
    const char *dataFolder = std::getenv("XDG_DATA_HOME");
    return std::string(dataFolder ? dataFolder : "") + "/Brindlow/Tallyfive/HKEY_LOCAL_MACHINE.reg";
}

std::string snapshot(const std::string &path)
{
    std::error_code error;
    if (!std::filesystem::is_directory(path, error)) {
        std::ostringstream bytes;
        bytes << std::ifstream(path, std::ios::binary).rdbuf();
        return bytes.str();
    }
    std::set<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(path, error))
        names.insert(entry.path().filename());
    std::string listing = "folder\n";
    for (const std::string &name : names)
        listing += name + ":" + snapshot(path + "/" + name) + "\n";
    return listing;
}

void writeFile(const std::string &path, const std::string &bytes)
{
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
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

std::string utf16(const std::u16string &text)
{
    std::string bytes;
    for (char16_t unit : text)
        bytes += std::string{char(unit & 0xFF), char(unit >> 8)};
    return bytes;
}

} // namespace badStoreFiles
