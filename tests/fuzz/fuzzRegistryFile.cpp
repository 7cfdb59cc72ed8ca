// Fuzzes the registry stand-in's file. For any bytes that read as a registry export: what is written
// reads back to the same values, a second write gives the same bytes, and the store's load, save and
// load again give the same table.
#include "platform/registryFile.h"
#include "state/modInitialize.h"
#include "topscores/topScoreStore.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <unistd.h>

using namespace platform;
using Values = std::map<std::pair<std::string, std::string>, std::string>;

static void require(bool holds, const char *what)
{
    if (!holds) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

// Every value each key holds, as the stand-in reads it; "\1" for one that holds no plain text.
static Values valuesOf(const RegistryFile &file)
{
    Values values;
    std::string key;
    for (const RegistryLine &line : file.lines) {
        if (line.kind == RegistryLine::Key || line.kind == RegistryLine::Deletion)
            key = line.key;
        std::string text = "\1";
        if (line.kind == RegistryLine::Value) {
            findText(file, key, line.name, text);
            values[{key, line.name}] = text;
        }
    }
    return values;
}

static std::string table()
{
    std::string text;
    for (int n = 0; n < modInitialize::TopEntries; ++n)
        text += std::to_string(modInitialize::topScore[n]) + ' ' + modInitialize::topName[n] + '\n';
    return text;
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
    const std::string written = writeRegistryFile(read);
    RegistryFile again;
    require(readRegistryFile(written, again), "what is written reads as a registry export");
    require(valuesOf(again) == valuesOf(read), "what is written reads back to the same values");
    require(writeRegistryFile(again) == written, "a second write gives the same bytes");

    std::ofstream(storeFile, std::ios::binary | std::ios::trunc) << bytes;
    for (int n = 0; n < modInitialize::TopEntries; ++n)
        modInitialize::topName[n].clear(), modInitialize::topScore[n] = 0;
    loadTopScores();
    // The table saved with an entry of its own, so that the save also adds values the file lacks,
    // loads again as it was saved; only a file cut inside a character is never written over.
    modInitialize::topName[4] = "Fuzz";
    modInitialize::topScore[4] = 7;
    const std::string saved = table();
    const std::string kept = read.halfCharacter ? saved.substr(0, saved.rfind("7 Fuzz")) : saved;
    saveTopScores();
    for (int n = 0; n < modInitialize::TopEntries; ++n)
        modInitialize::topName[n].clear(), modInitialize::topScore[n] = 0;
    loadTopScores();
    require(table().compare(0, kept.size(), kept) == 0, "load, save and load again give the same table");
    return 0;
}
