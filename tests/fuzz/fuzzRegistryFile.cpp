// Fuzzes the registry stand-in's file. For any bytes that read as a registry export: written back with
// nothing set, they are the same bytes, line ends and all; and the store's load, save and load again
// give the same table, with every line of the file kept but the lines of the table's own values.
#include "platform/registryFile.h"
#include "platform/windows1252.h"
#include "state/modInitialize.h"
#include "topscores/topScoreStore.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

using namespace platform;
using namespace modInitialize;

static const std::string tableKey = normalizedKey("HKEY_LOCAL_MACHINE\\Software\\Brindlow\\Tallyfive\\1.2");

static void require(bool holds, const char *what)
{
    if (!holds) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

// The texts of the file's lines after its header, as UTF-8, but those of the table's values.
static std::vector<std::string> otherLines(const RegistryFile &file)
{
    const std::string &text = file.text;
    const KeyLines key = findKey(file, tableKey);
    std::vector<std::string> lines;
    size_t value = 0;
    for (size_t start = file.headerEnd; start < text.size();) {
        const size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        while (value < key.values.size() && key.values[value].end < start)
            ++value;
        const std::string line = text.substr(start, end - start);
        if (start > file.headerEnd && (value == key.values.size() || key.values[value].start > start))
            lines.push_back(file.form == FileText::Windows1252 ? windows1252ToUtf8(line) : line);
        start = end + (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n' ? 2 : 1);
    }
    return lines;
}

static bool keepsInOrder(const std::vector<std::string> &before, const std::vector<std::string> &after)
{
    size_t found = 0;
    for (const std::string &line : after)
        found += found < before.size() && before[found] == line;
    return found == before.size();
}

static std::string table()
{
    std::string text;
    for (int n = 0; n < TopEntries; ++n)
        text += std::to_string(topScore[n]) + ' ' + topName[n] + '\n';
    return text;
}

static void clearTable()
{
    for (int n = 0; n < TopEntries; ++n)
        topName[n].clear(), topScore[n] = 0;
}

static std::string storeFile;

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // A folder in memory where there is one: the store syncs every file it writes.
    char folder[] = "/dev/shm/tallyfive-fuzz-XXXXXX";
    char fallback[] = "/tmp/tallyfive-fuzz-XXXXXX";
    const char *made = mkdtemp(folder) ? folder : mkdtemp(fallback);
    require(made != nullptr, "a data folder is made");
    setenv("XDG_DATA_HOME", made, 1);
    storeFile = std::string(made) + "/Brindlow/Tallyfive/HKEY_LOCAL_MACHINE.reg";
    std::system(("mkdir -p " + std::string(made) + "/Brindlow/Tallyfive").c_str());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    RegistryFile read;
    if (!readRegistryFile(bytes, read))
        return 0;
    require(read.halfCharacter || writeRegistryFile(read, findKey(read, tableKey), tableKey, {}) == bytes,
            "written back with nothing set, the file is the same bytes");

    std::ofstream(storeFile, std::ios::binary | std::ios::trunc) << bytes;
    clearTable();
    loadTopScores();
    // The table saved with an entry of its own, so that the save also adds values the file lacks, and
    // with a name beyond Windows-1252 for some files, so that a REGEDIT4 file is written whole anew.
    topName[4] = size % 2 ? "Fuzz" : "\xD0\x96\xD0\xB0\xD0\xBD\xD0\xBD\xD0\xB0";
    topScore[4] = 7;
    const std::string saved = table();
    const std::string kept = read.halfCharacter ? saved.substr(0, saved.rfind("7 ")) : saved;
    saveTopScores();
    clearTable();
    loadTopScores();
    require(table().compare(0, kept.size(), kept) == 0, "load, save and load again give the same table");
    std::ostringstream after;
    after << std::ifstream(storeFile, std::ios::binary).rdbuf();
    RegistryFile written;
    require(readRegistryFile(after.str(), written), "the saved file reads as a registry export");
    require(keepsInOrder(otherLines(read), otherLines(written)), "every other line is kept, in order");
    return 0;
}
